#include "saver/startup/saver_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RendererStart, PathIsQuotedWholeSoBlanksNeverSplitIt) {
    const struct {
        const char* folder;
        const char* commandLine;
    } cases[] = {
        {"C:\\Savers", "\"C:\\Savers\\Ember_Lantern.dll\""},
        {"C:\\Program Files\\Ember Lantern", "\"C:\\Program Files\\Ember Lantern\\Ember_Lantern.dll\""},
        {"\\\\server\\share a", "\"\\\\server\\share a\\Ember_Lantern.dll\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::string path = renderer_path(c.folder);
        EXPECT_EQ(std::string(c.folder) + "\\Ember_Lantern.dll", path);
        EXPECT_EQ(c.commandLine, renderer_command_line(path));
    }
}

// The renderer window's presence at successive 50 ms watch ticks, written as
// runs: {3, false} is three ticks without the window.
struct Presence {
    int ticks;
    bool present;
};

// Each row: whether the renderer could be started, the presence runs, and the
// tick (0-based) at which the run must end, or -1 when it must go on.
TEST(RendererWatch, EndsOnlyWhenTheRendererHasReallyGone) {
    const struct {
        const char* what;
        bool started;
        std::vector<Presence> presence;
        int endsAt;
    } cases[] = {
        {"renderer runs on", true, {{8, true}}, -1},
        {"renderer could not be started", false, {{1, false}}, 0},
        {"slow start: window after two seconds", true, {{40, false}, {4, true}}, -1},
        {"started but never shows a window", true, {{400, false}}, RendererWatch::kTicksToAppear - 1},
        {"Esc released", true, {{4, true}, {3, false}}, 6},
        {"one Tab switch: window briefly absent", true, {{2, true}, {1, false}, {4, true}}, -1},
        {"switches of two missing ticks, again and again", true,
         {{2, true}, {2, false}, {1, true}, {2, false}, {1, true}, {2, false}, {3, true}}, -1},
        {"switch, then the renderer ends", true, {{2, true}, {1, false}, {2, true}, {3, false}}, 7},
        {"failed set-up: window shown once, then gone", true, {{3, false}, {1, true}, {3, false}}, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RendererWatch watch(c.started);
        int tick = 0;
        int endedAt = -1;
        for (const Presence& run : c.presence) {
            for (int i = 0; i < run.ticks && endedAt < 0; ++i, ++tick) {
                if (watch.tick(run.present))
                    endedAt = tick;
            }
        }
        EXPECT_EQ(c.endsAt, endedAt);
    }
}

}  // namespace
