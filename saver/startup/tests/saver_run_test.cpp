#include "saver/startup/saver_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace startup;

namespace {

TEST(RendererStart, PathIsQuotedWholeSoBlanksNeverSplitIt) {
    const struct {
        const char* folder;
        const char* command_line;
    } cases[] = {
        {"C:\\Savers", "\"C:\\Savers\\Ember_Lantern.dll\""},
        {"C:\\Program Files\\Ember Lantern", "\"C:\\Program Files\\Ember Lantern\\Ember_Lantern.dll\""},
        {"\\\\server\\share a", "\"\\\\server\\share a\\Ember_Lantern.dll\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::string path = renderer_path(c.folder);
        EXPECT_EQ(std::string(c.folder) + "\\Ember_Lantern.dll", path);
        EXPECT_EQ(c.command_line, renderer_command_line(path));
    }
}

// What a watch tick finds, written as runs: {3, false, true} is three ticks
// without the window while the renderer's process lives.
struct Seen {
    int ticks;
    bool window;
    bool process;
};

// Each row: the runs, and the tick (0-based) at which the run must end, or
// -1 when it must go on.
TEST(RendererWatch, EndsWhenTheRendererHasReallyGone) {
    const struct {
        const char* what;
        std::vector<Seen> seen;
        int ends_at;
    } cases[] = {
        {"renderer runs on", {{8, true, true}}, -1},
        {"renderer could not be started", {{1, false, false}}, 0},
        {"slow start: window after two seconds", {{40, false, true}, {4, true, true}}, -1},
        {"started but never shows a window", {{400, false, true}}, RendererWatch::kTicksToAppear - 1},
        {"ends before its first window", {{5, false, true}, {1, false, false}}, 5},
        {"Esc released: window and process gone by the next tick", {{4, true, true}, {1, false, false}}, 4},
        {"Esc released: process still ending at the next tick",
         {{4, true, true}, {1, false, true}, {1, false, false}},
         5},
        {"window gone, process hangs on", {{4, true, true}, {9, false, true}}, 6},
        {"one Tab switch: window briefly absent", {{2, true, true}, {1, false, true}, {4, true, true}}, -1},
        {"switches of two missing ticks, again and again",
         {{2, true, true},
          {2, false, true},
          {1, true, true},
          {2, false, true},
          {1, true, true},
          {2, false, true},
          {3, true, true}},
         -1},
        {"switch, then the renderer ends", {{2, true, true}, {1, false, true}, {2, true, true}, {1, false, false}}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RendererWatch watch;
        int tick = 0;
        int ended_at = -1;
        for (const Seen& run : c.seen) {
            for (int i = 0; i < run.ticks && ended_at < 0; ++i, ++tick) {
                if (watch.tick(run.window, run.process))
                    ended_at = tick;
            }
        }
        EXPECT_EQ(c.ends_at, ended_at);
    }
}

}  // namespace
