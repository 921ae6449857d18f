// Decisions of the saver run that need no window: how the renderer is
// started, and when its window counts as gone.
// Portable logic: no Windows header.
#pragma once

#include <string>

// The renderer beside the front end: folder (no trailing backslash) joined
// with "\Ember_Lantern.dll".
std::string renderer_path(const std::string& program_folder);

// The command line handed to the process start together with the renderer's
// full path as the application name. The path is quoted so that a folder with
// blanks can never be read as a shorter program name plus arguments; the
// renderer itself takes no arguments.
std::string renderer_command_line(const std::string& renderer_path);

// Watches for the renderer's window every tick and says when the run is over.
//
// A single tick without the window does not mean the renderer has ended:
// - it re-creates its window when it switches between full screen and a
//   window, so once seen, the window must be missing for kMissingTicksToEnd
//   consecutive ticks;
// - a new process needs time before its window exists (over a second under
//   Wine), so until the window has been seen once the watch waits up to
//   kTicksToAppear ticks, unless the renderer could not be started at all.
class RendererWatch {
public:
    // At 50 ms per tick: 150 ms of absence, several times the longest switch
    // measured under Wine, and still well under half a second.
    static constexpr int kMissingTicksToEnd = 3;
    // At 50 ms per tick: 15 s for a started renderer to show its window.
    static constexpr int kTicksToAppear = 300;

    explicit RendererWatch(bool renderer_started) : renderer_started_(renderer_started) {}

    // One watch tick; returns true when the run should end.
    bool tick(bool renderer_window_present);

private:
    bool renderer_started_;
    bool seen_ = false;
    int ticks_waiting_ = 0;
    int missing_ticks_ = 0;
};
