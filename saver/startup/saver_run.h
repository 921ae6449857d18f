// Decisions of the saver run that need no window: how the renderer is
// started, and when it counts as gone.
#pragma once

#include <string>

namespace startup {

// The renderer beside the front end: folder (no trailing backslash) joined
// with "\Ember_Lantern.dll".
std::string renderer_path(const std::string& program_folder);

// The command line handed to the process start together with the renderer's
// full path as the application name. The path is quoted so that a folder with
// blanks can never be read as a shorter program name plus arguments; the
// renderer itself takes no arguments.
std::string renderer_command_line(const std::string& renderer_path);

// Looks at the renderer every tick, its window and its process, and says when
// the run is over.
//
// No window and no process: the renderer has ended (or never started), and
// the run ends at this tick. No window while the process lives does not mean
// the renderer has ended:
// - it re-creates its window when it switches between full screen and a
//   window, so once seen, the window must be missing for kMissingTicksToEnd
//   consecutive ticks;
// - a new process needs time before its window exists (over a second under
//   Wine), so until the window has been seen once the watch waits up to
//   kTicksToAppear ticks.
class RendererWatch {
public:
    // At 50 ms per tick: 150 ms of absence, several times the longest switch
    // measured under Wine, and still well under half a second.
    static constexpr int kMissingTicksToEnd = 3;
    // At 50 ms per tick: 15 s for a started renderer to show its window.
    static constexpr int kTicksToAppear = 300;

    // One watch tick; returns true when the run should end.
    bool tick(bool window_present, bool process_running);

private:
    bool seen_ = false;
    int ticks_waiting_ = 0;
    int missing_ticks_ = 0;
};

}  // namespace startup
