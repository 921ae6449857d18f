#include "renderer/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using renderer::Monitor;
using renderer::MonitorView;

TEST(MonitorLayout, OneWindowOverEveryMonitorWithAViewForEach) {
    const Monitor primary{{0, 0, 1280, 1024}, true, "1"};
    struct Case {
        const char* what;
        std::vector<Monitor> monitors;
        common::PixelRect window;
        std::vector<MonitorView> views;  // x, y from the window's bottom-left
    } const cases[] = {
        {"one monitor", {primary}, {0, 0, 1280, 1024}, {{0, 0, 1280, 1024, true, "1"}}},
        {"second monitor to the right, shorter",
         {primary, {{1280, 0, 2304, 768}, false, "2"}},
         {0, 0, 2304, 1024},
         {{0, 0, 1280, 1024, true, "1"}, {1280, 256, 1024, 768, false, "2"}}},
        {"second monitor to the left, listed first",
         {{{-1024, 0, 0, 768}, false, "2"}, primary},
         {-1024, 0, 1280, 1024},
         {{1024, 0, 1280, 1024, true, "1"}, {0, 256, 1024, 768, false, "2"}}},
        {"above, and a portrait one below",
         {primary, {{0, -900, 1600, 0}, false, "2"}, {{200, 1024, 1280, 2944}, false, "3"}},
         {0, -900, 1600, 2944},
         {{0, 1920, 1280, 1024, true, "1"}, {0, 2944, 1600, 900, false, "2"}, {200, 0, 1080, 1920, false, "3"}}},
        {"a clone of the primary at a lower resolution",
         {primary, {{0, 0, 1024, 768}, false, "2"}},
         {0, 0, 1280, 1024},
         {{0, 0, 1280, 1024, true, "1"}}},
        {"a larger clone holding the primary",
         {primary, {{0, 0, 1920, 1080}, false, "2"}},
         {0, 0, 1280, 1024},
         {{0, 0, 1280, 1024, true, "1"}}},
        {"a smaller clone listed before the larger one",
         {primary, {{1280, 0, 1920, 480}, false, "3"}, {{1280, 0, 2560, 1024}, false, "2"}},
         {0, 0, 2560, 1024},
         {{0, 0, 1280, 1024, true, "1"}, {1280, 0, 1280, 1024, false, "2"}}},
        {"the same monitor reported twice",
         {primary, {{1280, 0, 2304, 768}, false, "2"}, {{1280, 0, 2304, 768}, false, "2"}},
         {0, 0, 2304, 1024},
         {{0, 0, 1280, 1024, true, "1"}, {1280, 256, 1024, 768, false, "2"}}},
        {"an empty rectangle",
         {primary, {{5, 5, 5, 9}, false, "2"}},
         {0, 0, 1280, 1024},
         {{0, 0, 1280, 1024, true, "1"}}},
        {"none says it is the primary: the one at the origin",
         {{{1280, 0, 2304, 768}, false, "2"}, {{0, 0, 1280, 1024}, false, "1"}},
         {0, 0, 2304, 1024},
         {{0, 0, 1280, 1024, true, "1"}, {1280, 256, 1024, 768, false, "2"}}},
        {"no monitor reported", {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const renderer::FullScreenLayout layout = renderer::full_screen_layout(c.monitors);
        EXPECT_EQ(layout.window, c.window);
        EXPECT_EQ(layout.views, c.views);
    }
}

}  // namespace
