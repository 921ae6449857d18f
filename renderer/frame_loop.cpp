#include "renderer/frame_loop.h"

namespace renderer {

void FrameLoop::start_pacing(HWND window, HDC dc) {
    const bool driver_syncs = pace_ && request_swap_interval(gl_, dc);
    pacer_.start(counter_.ticks(), counter_.ticks_per_second(), monitor_refresh_rate(window), driver_syncs, pace_);
}

void FrameLoop::restart_pacing() {
    pacer_.restart(counter_.ticks());
}

WPARAM FrameLoop::run(GlScene& scene, HDC dc) {
    for (;;) {
        MSG message;
        if (window_active_ && scene.ready) {
            const std::int64_t wait = pacer_.ticks_to_wait(counter_.ticks());
            if (wait > 0)
                waiter_.wait(wait, counter_.ticks_per_second());  // a message ends it early
            else
                draw_frame(scene, dc);
        } else {
            // Minimised (or set-up failed): sleep until something arrives.
            if (GetMessageA(&message, nullptr, 0, 0) == -1) {
                message.message = WM_QUIT;  // cannot happen without a window filter; end rather than spin
                message.wParam = 0;
            }
            if (message.message == WM_QUIT)
                return message.wParam;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return message.wParam;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void FrameLoop::draw_frame(GlScene& scene, HDC dc) {
    FrameMarks* marks = timing_.marks();
    gl_draw(gl_, scene, counter_, marks);
    SwapBuffers(dc);
    const std::int64_t shown = counter_.ticks();
    pacer_.frame_shown(shown);
    if (marks) {
        const double refresh_hz =
            static_cast<double>(counter_.ticks_per_second()) / static_cast<double>(pacer_.period());
        timing_.frame_shown(shown, pacing_name(), refresh_hz);
    }
}

const char* FrameLoop::pacing_name() const {
    if (!pace_)
        return "unpaced";
    return pacer_.self_pacing() ? waiter_.timing() : "driver";
}

}  // namespace renderer
