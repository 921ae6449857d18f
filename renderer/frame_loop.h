// The renderer's message loop, paced to the display (frame_pacer.h decides
// when, display_pacing.h waits), and its one frame path: gl_draw, the swap,
// and the benchmark build's timing around them. Keys are taken at once: a
// wait ends when a message arrives.
#pragma once

#include <windows.h>

#include "renderer/display_pacing.h"
#include "renderer/frame_pacer.h"
#include "renderer/frame_timing.h"
#include "renderer/gl_api.h"
#include "renderer/gl_scene.h"

namespace renderer {

class FrameLoop {
public:
    // `stats`: where the benchmark build sums its frame times (null: none).
    // `pace` false: frames as fast as the loop allows (the benchmark's
    // unpaced throughput).
    FrameLoop(const GlApi& gl, scene::TickCounter& counter, FrameStats* stats, bool pace)
        : gl_(gl), counter_(counter), pace_(pace), timing_(stats) {}
    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

    // For every new window, with its context current on `dc`: the swap
    // interval belongs to the context, so every new window asks again; the
    // monitor, and so its refresh rate, may differ too.
    void start_pacing(HWND window, HDC dc);

    // The schedule starts again from now: after a size change or a resume.
    void restart_pacing();

    // False while the window is minimised: the loop then sleeps until a
    // message arrives. Starts false; WM_SIZE decides.
    void set_window_active(bool active) { window_active_ = active; }

    // Takes and dispatches the messages of the current window until the quit
    // message, drawing frames of `scene` on `dc` while the window is active
    // and the scene set up; returns the quit message's wParam.
    WPARAM run(GlScene& scene, HDC dc);

private:
    void draw_frame(GlScene& scene, HDC dc);
    const char* pacing_name() const;

    const GlApi& gl_;
    scene::TickCounter& counter_;
    bool pace_;
    FramePacer pacer_;
    FrameWaiter waiter_;  // lives for the run: a 1 ms timer period, once begun, lasts until the end
    FrameTiming timing_;
    bool window_active_ = false;
};

}  // namespace renderer
