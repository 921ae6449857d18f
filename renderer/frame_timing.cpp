#include "renderer/frame_timing.h"

namespace renderer {

void FrameTiming::frame_shown(std::int64_t shown, const char* pacing, double refresh_hz, const char* refresh_source) {
    if (!stats_)
        return;
    marks_.shown = shown;
    if (last_frame_start_ != 0) {
        const std::int64_t interval = marks_.start - last_frame_start_;
        stats_->frames += 1;
        stats_->frames_after_a_wait += waited_ ? 1 : 0;
        stats_->loop_ticks += interval;
        stats_->loop_ticks_squared += static_cast<double>(interval) * static_cast<double>(interval);
    }
    stats_->pacing = pacing;
    stats_->refresh_hz = refresh_hz;
    stats_->refresh_source = refresh_source;
    stats_->cpu_ticks += (marks_.planned - marks_.start) + (marks_.counted - marks_.drawn);
    stats_->gl_ticks += (marks_.drawn - marks_.planned) + (marks_.shown - marks_.counted);
    last_frame_start_ = marks_.start;
    waited_ = false;
}

}  // namespace renderer
