// The renderer's one message loop, paced to the display (frame_pacer.h
// decides when, display_pacing.h waits), and its one frame path: the
// window's frame (gl_draw), the swap, and the benchmark build's timing around
// them. Keys are taken at once: a wait ends when a message arrives. Nothing
// is drawn while the window does not draw (minimised, not set up) or the
// display is off: the loop then sleeps until a message.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "renderer/frame_pacer.h"
#include "renderer/frame_timing.h"
#include "renderer/scene/stopwatch.h"
#include "renderer/win32/gl/gl_api.h"
#include "renderer/win32/gl/window_gl.h"
#include "renderer/win32/pacing/display_pacing.h"
#include "renderer/win32/pacing/refresh_rate.h"
#include "renderer/window_life.h"

namespace renderer {

// The window whose frames the loop draws.
class LoopWindow {
public:
    virtual bool draws() const = 0;  // shown, not minimised
    virtual HDC dc() const = 0;      // with the window's context current
    virtual void draw_frame(FrameMarks* marks) = 0;

protected:
    ~LoopWindow() = default;
};

class FrameLoop {
public:
    // `pace` false: frames as fast as the loop allows (the benchmark's
    // unpaced figures). `stats`: where the benchmark build sums frame times.
    FrameLoop(const GlApi& gl, scene::TickCounter& counter, bool pace, FrameStats* stats)
        : gl_(gl), counter_(counter), pace_(pace), timing_(stats) {}
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
    // monitor. Only the window of the last start_pacing counts.
    void follow_display(HWND window, bool display_changed);

    // The schedule starts again from now: after a size change or a resume.
    void restart_pacing();

    // False while the display is off (its power notices).
    void set_display_shows(bool shows) { display_shows_ = shows; }

    // While a power saver is on the loop keeps to the modest rate; the
    // schedule starts again from now at the new rate.
    void set_power_saver(bool on);

    // Ends the loop under way for `why`, once the messages already queued
    // are handled: the strongest reason of that turn is what run returns.
    void end(LoopEnd why);

    // Takes and dispatches the messages of every window until one ends the
    // loop, drawing the frames of `window` while it draws and the display
    // is on; returns why the loop ended.
    LoopEnd run(LoopWindow& window);

private:
    PacingPlan plan() const;
    HMONITOR paced_monitor(HWND window) const;
    void draw_frame(LoopWindow& window);
    const char* pacing_name() const;

    const GlApi& gl_;
    scene::TickCounter& counter_;
    bool pace_;
    HWND window_ = nullptr;      // the window paced to
    bool driver_syncs_ = false;  // the current context accepted a swap interval
    bool follows_window_ = true;
    HMONITOR monitor_ = nullptr;
    RefreshRate refresh_;
    FramePacer pacer_;
    FrameWaiter waiter_;  // lives for the run: a 1 ms timer period, once begun, lasts until the end
    FrameTiming timing_;
    bool display_shows_ = true;
    bool power_saver_ = false;
    std::string gl_renderer_;     // the current context's GL_RENDERER, read as pacing starts
    std::optional<LoopEnd> end_;  // why the loop under way ends, once something has ended it
};

}  // namespace renderer
