#include "renderer/win32/frame_loop.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

void FrameLoop::end_after(double seconds, LoopEnd why) {
    const double ticks = seconds * static_cast<double>(counter_.ticks_per_second());
    timed_end_ = TimedEnd{counter_.ticks() + static_cast<std::int64_t>(std::ceil(ticks)), why};
}

std::optional<LoopEnd> FrameLoop::run(LoopWindow& window) {
    for (;;) {
        const std::int64_t now = counter_.ticks();
        if (window.draws()) {
            std::int64_t wait = pacer_.ticks_to_wait(now);
            if (timed_end_)
                wait = std::min(wait, timed_end_->at - now);
            if (wait > 0) {
                waiter_.wait(wait, counter_.ticks_per_second());  // a message ends it early
                timing_.waited();
            } else
                draw_frame(window);
        } else {
            wait_for_messages(now);
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                timed_end_.reset();
                return std::nullopt;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // Only once the messages are taken: a quit posted meanwhile (a key, a
        // lost context) has ended the loop by then, and none is left behind
        // to end the next window's loop at once.
        if (timed_end_ && counter_.ticks() >= timed_end_->at)
            return std::exchange(timed_end_, std::nullopt)->why;
    }
}

// Minimised, or nobody to see the picture: sleep until a message arrives or
// the loop's time is up. A message sent from elsewhere (the system's power
// notices are) wakes the wait too, where GetMessage would handle it and sleep
// on: the display coming back must be drawn.
void FrameLoop::wait_for_messages(std::int64_t now) const {
    DWORD timeout = INFINITE;
    if (timed_end_) {
        const std::int64_t per_second = counter_.ticks_per_second();
        const std::int64_t ms = ((timed_end_->at - now) * 1000 + per_second - 1) / per_second;  // rounded up
        timeout = static_cast<DWORD>(std::max<std::int64_t>(ms, 0));
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
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
