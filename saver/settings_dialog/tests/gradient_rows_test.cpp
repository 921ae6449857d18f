// The rows of the dialog's and the panel's sine gradients.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "saver/settings_dialog/gradient_rows.h"

namespace {

using settings_dialog::GradientSurface;
using settings_dialog::Rgb;

TEST(Gradients, EdgesDarkMiddleBrightAndSymmetric) {
    // The window's client area is 252 pixels high, the panel's 169.
    const struct {
        GradientSurface surface;
        double height;
        Rgb edge, middle;
    } cases[] = {
        {GradientSurface::Window, 252, {0, 0, 30}, {220, 220, 250}},
        {GradientSurface::Panel, 169, {30, 30, 30}, {250, 250, 250}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        const std::vector<Rgb> rows = settings_dialog::gradient_rows(c.height, c.surface);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.height) + 1);  // rows 0..n
        EXPECT_EQ(rows.front(), c.edge);
        EXPECT_EQ(rows[rows.size() / 2], c.middle);
        // 3.142 is a little more than pi: the last row is not quite back at the edge colour.
        EXPECT_LE(rows.back().green - c.edge.green, 1);
        for (std::size_t y = 0; y < rows.size(); ++y) {
            const Rgb& a = rows[y];
            const Rgb& b = rows[rows.size() - 1 - y];
            EXPECT_LE(std::abs(a.green - b.green), 1) << "row " << y;
            EXPECT_LE(a.blue, 250);
        }
    }
    EXPECT_TRUE(settings_dialog::gradient_rows(0, GradientSurface::Window).empty());
    EXPECT_EQ(settings_dialog::gradient_rows(2.5, GradientSurface::Panel).size(), 3u);  // n = 2
}

}  // namespace
