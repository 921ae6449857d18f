#include "renderer/window_life.h"

namespace renderer {

LoopEnd stronger(LoopEnd a, LoopEnd b) {
    return static_cast<int>(a) >= static_cast<int>(b) ? a : b;
}

NextStep WindowLife::loop_ended(LoopEnd why, double now) {
    switch (why) {
        case LoopEnd::Quit:
            return NextStep::Quit;
        case LoopEnd::SwitchMode:
            full_screen_ = !full_screen_;
            return NextStep::MakeWindow;
        case LoopEnd::DisplaySettled:
            // Every settled change gives the monitors the whole time again.
            recover_until_ = now + kRecoverySeconds;
            return NextStep::MakeWindow;
        case LoopEnd::ContextLost:
            if (!lost_since_)
                lost_since_ = now;
            if (now - *lost_since_ >= kRecoverySeconds) {
                failed_step_ = "SwapBuffers";
                return NextStep::GiveUp;
            }
            // The new window's set-up may fail while the driver comes back.
            if (recover_until_ < *lost_since_ + kRecoverySeconds)
                recover_until_ = *lost_since_ + kRecoverySeconds;
            return NextStep::MakeWindow;
        case LoopEnd::RetryDue:
            return NextStep::MakeWindow;
    }
    return NextStep::Quit;
}

bool ContextWatch::swapped(bool shown, double now) {
    if (shown) {
        failing_since_.reset();
        return false;
    }
    if (!failing_since_)
        failing_since_ = now;
    return now - *failing_since_ >= kLostAfterSeconds;
}

NextStep WindowLife::set_up_failed(const char* step, double now, bool has_window) {
    if (has_window && now < recover_until_)
        return NextStep::WaitToRetry;
    failed_step_ = step;
    return NextStep::GiveUp;
}

}  // namespace renderer
