#include "renderer/cover_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using renderer::ScreenRect;

TEST(CoverLayout, EveryMonitorBesideTheMainWindowOnce) {
    const ScreenRect primary{0, 0, 1280, 1024};
    const struct {
        const char* what;
        std::vector<ScreenRect> monitors;
        std::vector<ScreenRect> covers;
    } cases[] = {
        {"one monitor", {primary}, {}},
        {"second monitor to the right", {primary, {1280, 0, 2304, 768}}, {{1280, 0, 2304, 768}}},
        {"second monitor to the left", {{-1024, 0, 0, 768}, primary}, {{-1024, 0, 0, 768}}},
        {"above and below",
         {{0, -900, 1600, 0}, primary, {200, 1024, 1000, 1624}},
         {{0, -900, 1600, 0}, {200, 1024, 1000, 1624}}},
        {"a clone of the primary at a lower resolution", {primary, {0, 0, 1024, 768}}, {}},
        {"the same monitor reported twice",
         {primary, {1280, 0, 2304, 768}, {1280, 0, 2304, 768}},
         {{1280, 0, 2304, 768}}},
        {"overlapping the main window only in part", {primary, {1000, 0, 2000, 800}}, {{1000, 0, 2000, 800}}},
        {"an empty rectangle", {primary, {5, 5, 5, 9}}, {}},
        {"no monitor reported", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(renderer::monitors_to_cover(c.monitors, primary), c.covers);
    }
}

}  // namespace
