// The renderer's windows, one after another: what comes after a window's
// loop ends, or after a new window could not be made. The program always has
// a window with its caption, from the first until it ends: a new window is
// made while the one it replaces still stands, and a failed try keeps the one
// there is. Times are seconds of any steady clock.
#pragma once

#include <limits>
#include <optional>

namespace renderer {

// Why the current window's loop ends, weakest first: when several arrive in
// the same turn of the loop (a display change and an Esc release), the
// strongest decides. Esc or a close request always ends the program; a Tab
// makes the next window in the other mode, which is made for the display as
// it is now anyway.
enum class LoopEnd {
    RetryDue,        // the wait after a failed set-up is over
    DisplaySettled,  // the display changed and the changes have settled (full screen)
    ContextLost,     // the window's context cannot show a frame any more (ContextWatch)
    SwitchMode,      // Tab: full screen and the framed window change places
    Quit,            // Esc or close
};

// The stronger of the two reasons.
LoopEnd stronger(LoopEnd a, LoopEnd b);

enum class NextStep {
    MakeWindow,   // make a window in full_screen()'s mode; once it stands, the current one goes
    WaitToRetry,  // keep the current window (black, taking keys) and try again after kRetrySeconds
    Quit,         // the program ends with exit code 1
    GiveUp,       // the program ends with exit code 0, failed_step() reported
};

class WindowLife {
public:
    // After a display change the monitor may be gone for a moment
    // (DisplayPort monitors drop off as they sleep and come back): a set-up
    // that fails within this time is tried again rather than ending the saver.
    static constexpr double kRecoverySeconds = 5.0;
    static constexpr double kRetrySeconds = 0.5;
    // Monitors report a change in bursts as they come and go: the window is
    // made anew once none has come for this long.
    static constexpr double kSettleSeconds = 0.1;

    // The run starts by making a full-screen window.
    NextStep start() const { return NextStep::MakeWindow; }

    // The current window's loop ended for `why` at `now`. A lost context is
    // made anew, with a window of its own, like a display that changed; a
    // renderer whose contexts keep being lost without a frame shown in
    // between gives up after kRecoverySeconds, as a failing set-up does.
    NextStep loop_ended(LoopEnd why, double now);

    // The current window showed a frame: contexts lost before count no more.
    void window_drew() { lost_since_.reset(); }

    // The window asked for could not be made: `step` failed at `now`.
    // `has_window`: an earlier window still stands and can be kept.
    NextStep set_up_failed(const char* step, double now, bool has_window);

    // The mode of the window to make next.
    bool full_screen() const { return full_screen_; }
    // The step whose failure made the program give up.
    const char* failed_step() const { return failed_step_; }

private:
    bool full_screen_ = true;
    double recover_until_ = -std::numeric_limits<double>::infinity();  // a set-up failing before then is tried again
    const char* failed_step_ = nullptr;
    std::optional<double> lost_since_;  // the first context lost since a frame was last shown
};

// Whether a window's context is lost: a driver reset, or a driver updated
// under the program, leaves every swap failing. One that fails now and then
// (a mode switch under way) is not; swaps that keep failing for
// kLostAfterSeconds are.
class ContextWatch {
public:
    static constexpr double kLostAfterSeconds = 1.0;

    // A frame's swap at `now` (seconds), `shown` when it succeeded; true once
    // the context counts as lost.
    bool swapped(bool shown, double now);

private:
    std::optional<double> failing_since_;
};

}  // namespace renderer
