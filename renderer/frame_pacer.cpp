#include "renderer/frame_pacer.h"

namespace renderer {
namespace {

constexpr double kDefaultRefresh = 60.0;
constexpr int kLowestRefresh = 24;  // below this a report is not believed: waits would hold input too long
constexpr int kHighestRefresh = 1000;
// The driver is judged over this share of a second; frames coming more than
// half as fast again as the refresh rate mean its swap interval has no effect.
constexpr double kWatchSeconds = 0.5;
constexpr double kUnsyncedRatio = 1.5;

}  // namespace

double refresh_rate_or_default(int reported_hz) {
    if (reported_hz < kLowestRefresh || reported_hz > kHighestRefresh)
        return kDefaultRefresh;
    return reported_hz;
}

void FramePacer::start(std::int64_t now,
                       std::int64_t ticks_per_second,
                       double refresh_hz,
                       bool driver_syncs,
                       bool pace) {
    pace_ = pace;
    ticks_per_second_ = ticks_per_second > 0 ? ticks_per_second : 1;
    if (!(refresh_hz >= kLowestRefresh && refresh_hz <= kHighestRefresh))
        refresh_hz = kDefaultRefresh;
    period_ = static_cast<std::int64_t>(static_cast<double>(ticks_per_second_) / refresh_hz + 0.5);
    self_pacing_ = pace && !driver_syncs;
    restart(now);
}

void FramePacer::restart(std::int64_t now) {
    deadline_ = now;
    watch_start_ = now;
    watch_frames_ = 0;
}

std::int64_t FramePacer::ticks_to_wait(std::int64_t now) const {
    if (!self_pacing_ || now >= deadline_)
        return 0;
    const std::int64_t wait = deadline_ - now;
    return wait < period_ ? wait : period_;
}

void FramePacer::frame_shown(std::int64_t now) {
    if (!pace_)
        return;
    if (!self_pacing_) {
        watch_driver(now);
        return;
    }
    deadline_ += period_;
    // A frame late by up to one period is made up by the next waits; one
    // later than that (a slow frame, a stall, a clock that went back) starts
    // the schedule again from now rather than drawing a burst to catch up.
    if (now - deadline_ > period_ || deadline_ - now > period_)
        deadline_ = now;
}

void FramePacer::watch_driver(std::int64_t now) {
    ++watch_frames_;
    const double seconds = static_cast<double>(now - watch_start_) / static_cast<double>(ticks_per_second_);
    if (seconds < kWatchSeconds)
        return;
    const double refresh = static_cast<double>(ticks_per_second_) / static_cast<double>(period_);
    if (watch_frames_ / seconds > refresh * kUnsyncedRatio) {
        self_pacing_ = true;
        deadline_ = now;
    }
    watch_start_ = now;
    watch_frames_ = 0;
}

}  // namespace renderer
