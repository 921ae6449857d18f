// The renderer's message loop, paced to the display (frame_pacer.h decides
// when, display_pacing.h waits), and its one frame path: gl_draw, the swap,
// and the benchmark build's timing around them. Keys are taken at once: a
// wait ends when a message arrives. Nothing is drawn while the window is
// minimised or the display is off: the loop then sleeps until a message.
#pragma once

#include <windows.h>

#include "renderer/frame_pacer.h"
#include "renderer/win32/display_pacing.h"
#include "renderer/win32/frame_timing.h"
#include "renderer/win32/gl_api.h"
#include "renderer/win32/gl_scene.h"
#include "renderer/win32/refresh_rate.h"

namespace renderer {

class FrameLoop {
public:
    // What the benchmark and test builds change: where the frame times are
    // summed, whether the loop is paced, who watches each frame.
    FrameLoop(const GlApi& gl, scene::TickCounter& counter, const BenchOptions& bench)
        : gl_(gl), counter_(counter), pace_(bench.pace), timing_(bench.stats), on_frame_(bench.on_frame) {}
    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

    // For every new window, with its context current on `dc`: the swap
    // interval belongs to the context, so every new window asks again; the
    // monitor, and so its refresh rate, may differ too. The loop paces to the
    // monitor that shows most of the window where it `follows_window` (the
    // framed window), otherwise to the primary (the full-screen window spans
    // every monitor; the primary shows the frame-rate text).
    void start_pacing(HWND window, HDC dc, bool follows_window);

    // The window moved: where it is now on another monitor, that monitor's
    // refresh rate is read. After a display change (`display_changed`) the
    // rate and the rest of the plan (a remote session) are read whatever the
    // monitor.
    void follow_display(HWND window, bool display_changed);

    // The schedule starts again from now: after a size change or a resume.
    void restart_pacing();

    // False while the window is minimised. Starts false; WM_SIZE decides.
    void set_window_active(bool active) { window_active_ = active; }
    // False while the display is off (its power notices).
    void set_display_shows(bool shows) { display_shows_ = shows; }

    // Takes and dispatches the messages of the current window until the quit
    // message, drawing frames of `scene` on the DC of the last start_pacing
    // while the window is active, the display on and the scene set up;
    // returns the quit message's wParam.
    WPARAM run(GlScene& scene);

private:
    PacingPlan plan() const;
    HMONITOR paced_monitor(HWND window) const;
    void draw_frame(GlScene& scene);
    const char* pacing_name() const;

    const GlApi& gl_;
    scene::TickCounter& counter_;
    bool pace_;
    HDC dc_ = nullptr;           // the current window's, with its context current
    bool driver_syncs_ = false;  // the current context accepted a swap interval
    bool follows_window_ = true;
    HMONITOR monitor_ = nullptr;
    RefreshRate refresh_;
    FramePacer pacer_;
    FrameWaiter waiter_;  // lives for the run: a 1 ms timer period, once begun, lasts until the end
    FrameTiming timing_;
    std::function<void(const scene::SceneState&)> on_frame_;
    bool window_active_ = false;
    bool display_shows_ = true;
};

}  // namespace renderer
