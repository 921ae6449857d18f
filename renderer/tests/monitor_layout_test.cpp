#include "renderer/monitor_layout.h"
#include "renderer/monitor_scenes.h"

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

// The primary's picture is the one a single monitor shows: gl_data takes the
// first random numbers; another monitor's spheres take the next ones the
// first time it is seen, and stay its own for the run.
TEST(MonitorScenes, EachOtherMonitorKeepsItsOwnSpheresMadeAfterThePrimarys) {
    scene::CrtRandom single(1234), several(1234);
    const scene::SceneState alone = scene::gl_data(single);
    const scene::SceneState primary = scene::gl_data(several);
    renderer::MonitorScenes others;
    scene::SpherePair& second = others.of("\\\\.\\DISPLAY2", several);
    scene::SpherePair& third = others.of("\\\\.\\DISPLAY3", several);
    EXPECT_EQ(&others.of("\\\\.\\DISPLAY2", several), &second) << "seen again: the same spheres";
    EXPECT_EQ(others.size(), 2u);

    scene::SphereState expected[scene::kSphereCount];
    scene::draw_start_values(expected, single);
    for (int s = 0; s < scene::kSphereCount; ++s) {
        EXPECT_EQ(primary.spheres[s].angle_x, alone.spheres[s].angle_x);
        EXPECT_EQ(primary.spheres[s].colour_phase[1], alone.spheres[s].colour_phase[1]);
        EXPECT_EQ(second.spheres[s].angle_y, expected[s].angle_y);
        EXPECT_EQ(second.spheres[s].colour_phase[2], expected[s].colour_phase[2]);
        EXPECT_NE(third.spheres[s].angle_x, second.spheres[s].angle_x);
    }
}

}  // namespace
