#include "renderer/win32/frame_loop.h"

namespace renderer {

PacingPlan FrameLoop::plan() const {
    PacingPlan plan;
    plan.refresh_hz = refresh_.hz;
    plan.driver_syncs = driver_syncs_;
    plan.pace = pace_;
    plan.cap_hz = frame_rate_cap(GetSystemMetrics(SM_REMOTESESSION) != 0, savers_.on(), gl_renderer_.c_str());
    return plan;
}

void FrameLoop::power_savers_changed() {
    if (window_)
        pacer_.set_cap(counter_.ticks(), plan().cap_hz);
}

HMONITOR FrameLoop::paced_monitor(HWND window) const {
    if (follows_window_)
        return MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

void FrameLoop::start_pacing(HWND window, const WindowGl& gl, bool follows_window) {
    window_ = window;
    follows_window_ = follows_window;
    driver_syncs_ = pace_ && gl.request_swap_interval();
    const auto* gl_renderer = reinterpret_cast<const char*>(gl_.glGetString(GL_RENDERER));
    gl_renderer_ = gl_renderer ? gl_renderer : "";
    monitor_ = paced_monitor(window);
    refresh_ = monitor_refresh_rate(monitor_);
    pacer_.start(counter_.ticks(), counter_.ticks_per_second(), plan());
}

void FrameLoop::follow_display(bool display_changed) {
    if (!window_)
        return;
    const HMONITOR monitor = paced_monitor(window_);
    if (!display_changed && monitor == monitor_)
        return;
    monitor_ = monitor;
    refresh_ = monitor_refresh_rate(monitor);
    if (display_changed)
        pacer_.start(counter_.ticks(), counter_.ticks_per_second(), plan());
    else
        pacer_.set_refresh_rate(counter_.ticks(), refresh_.hz);
}

void FrameLoop::restart_pacing() {
    pacer_.restart(counter_.ticks());
}

void FrameLoop::run(LoopWindow& window) {
    for (;;) {
        MSG message;
        if (window.draws()) {
            const std::int64_t wait = pacer_.ticks_to_wait(counter_.ticks());
            if (wait > 0) {
                waiter_.wait(wait, counter_.ticks_per_second());  // a message ends it early
                timing_.waited();
            } else
                draw_frame(window);
        } else {
            // Minimised, or the display off: sleep until a message arrives. A
            // message sent from elsewhere (the system's power notices are)
            // wakes the wait too, where GetMessage would handle it and sleep
            // on: the display coming back must be drawn.
            MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void FrameLoop::draw_frame(LoopWindow& window) {
    FrameMarks* marks = timing_.marks();
    window.draw_frame(marks);
    pacer_.frame_drawn(counter_.ticks());
    window.swap();
    const std::int64_t shown = counter_.ticks();
    pacer_.frame_shown(shown);
    if (marks)
        timing_.frame_shown(shown, pacing_name(), refresh_.hz, refresh_.source);
}

const char* FrameLoop::pacing_name() const {
    switch (pacer_.pacing()) {
        case Pacing::Unpaced:
            return "unpaced";
        case Pacing::Driver:
            return "driver";
        case Pacing::Capped:
            return "capped";
        default:
            return waiter_.timing();  // the loop's own waits
    }
}

}  // namespace renderer
