// The caption zoom's point, from the cursor when the dialog loads.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "saver/settings_dialog/zoom_point.h"

namespace {

using settings_dialog::CursorPoint;
using settings_dialog::zoom_origin_from_cursor;
using settings_dialog::ZoomPoint;

TEST(ZoomOrigin, CursorPositionInSixteenBits) {
    const ZoomPoint earlier{12, -34};
    const struct {
        std::optional<CursorPoint> cursor;
        std::int16_t x, y;
    } cases[] = {
        {std::nullopt, 0, 0},
        {CursorPoint{100, 200}, 100, 200},
        {CursorPoint{-5, -6}, -5, -6},
        {CursorPoint{32767, -32768}, 32767, -32768},
        {CursorPoint{32768, 7}, 12, 7},
        {CursorPoint{7, -32769}, 7, -34},
        {CursorPoint{70000, -70000}, 12, -34},
    };
    for (const auto& c : cases) {
        const ZoomPoint got = zoom_origin_from_cursor(earlier, c.cursor);
        EXPECT_EQ(got.x, c.x);
        EXPECT_EQ(got.y, c.y);
    }
}

}  // namespace
