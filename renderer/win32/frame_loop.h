// The renderer's one message loop, paced to the display (the pacer's logic
// decides when, its Windows side waits: frame_pacer.h in both), and its one
// frame path: the window's frame (gl_draw), the swap, and the benchmark
// build's timing around them. Keys are taken at once: a wait ends when a message arrives. Nothing
// is drawn while there is nothing to draw (a minimised window, a display
// that is off): the loop then sleeps until a message.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/power_settings.h"
#include "renderer/frame_pacer.h"
#include "renderer/frame_timing.h"
#include "renderer/scene/stopwatch.h"
#include "renderer/win32/gl/gl_api.h"
#include "renderer/win32/gl/window_gl.h"
#include "renderer/win32/pacing/frame_pacer.h"
#include "renderer/window_life.h"

namespace renderer {

// What the loop draws the frames of.
class LoopWindow {
public:
    virtual bool draws() const = 0;  // a frame is wanted: shown, not minimised, on a display that shows
    virtual void draw_frame(FrameMarks* marks) = 0;
    virtual void swap() = 0;  // shows the frame drawn

protected:
    ~LoopWindow() = default;
};

class FrameLoop {
public:
    // `pace` false: frames as fast as the loop allows (the benchmark's
    // unpaced figures). `stats`: where the benchmark build sums frame times.
    // `savers`: the run's power savers, which hold the loop to the modest
    // rate while one is on.
    FrameLoop(const GlApi& gl,
              scene::TickCounter& counter,
              bool pace,
              FrameStats* stats,
              const common::PowerSavers& savers)
        : gl_(gl), counter_(counter), pace_(pace), savers_(savers), timing_(stats) {}
    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

    // For every new window, with its context `gl` current: the swap
    // interval belongs to the context, so every new window asks again; the
    // monitor, and so its refresh rate, may differ too. The loop paces to the
    // monitor that shows most of the window where it `follows_window` (the
    // framed window), otherwise to the primary (the full-screen window spans
    // every monitor; the primary shows the frame-rate text).
    void start_pacing(HWND window, const WindowGl& gl, bool follows_window);

    // The window moved: where it is now on another monitor, that monitor's
    // refresh rate is read. After a display change (`display_changed`) the
    // rate and the rest of the plan (a remote session) are read whatever the
    // monitor.
    void follow_display(bool display_changed);

    // The window of the last start_pacing.
    HWND paced_window() const { return window_; }

    // The schedule starts again from now: after a size change or a resume.
    void restart_pacing();

    // A power saver came on or went: the schedule starts again from now at
    // the rate that now holds.
    void power_savers_changed();

    // The loop under way ends for `why` once `seconds` have passed, unless
    // something ends it before; a later call sets a new time (a burst of
    // display changes, each starting the wait again). The time belongs to one
    // loop: it goes when the loop returns.
    void end_after(double seconds, LoopEnd why);

    // Takes and dispatches the messages of every window, drawing the frames
    // of `window` while it draws, until a quit message arrives (nullopt) or
    // the time end_after set has passed (its reason).
    std::optional<LoopEnd> run(LoopWindow& window);

private:
    PacingPlan plan() const;
    HMONITOR paced_monitor(HWND window) const;
    void draw_frame(LoopWindow& window);
    void wait_for_messages(std::int64_t now) const;
    const char* pacing_name() const;

    const GlApi& gl_;
    scene::TickCounter& counter_;
    bool pace_;
    const common::PowerSavers& savers_;
    HWND window_ = nullptr;      // the window paced to
    bool driver_syncs_ = false;  // the current context accepted a swap interval
    bool follows_window_ = true;
    HMONITOR monitor_ = nullptr;
    RefreshRate refresh_;
    FramePacer pacer_;
    FrameWaiter waiter_;  // lives for the run: a 1 ms timer period, once begun, lasts until the end
    FrameTiming timing_;
    struct TimedEnd {
        std::int64_t at;  // ticks
        LoopEnd why;
    };
    std::optional<TimedEnd> timed_end_;
    std::string gl_renderer_;  // the current context's GL_RENDERER, read as pacing starts
};

}  // namespace renderer
