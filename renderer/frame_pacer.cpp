#include "renderer/frame_pacer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace renderer {
namespace {

constexpr double kDefaultRefresh = 60.0;
// Below this a report is not believed (waits would hold input too long); film
// modes of 23.976 Hz are real.
constexpr double kLowestRefresh = 23.9;
constexpr double kHighestRefresh = 1000.0;
// The driver is judged over this share of a second; frames coming more than
// half as fast again as the refresh rate mean its swap interval has no effect.
constexpr double kWatchSeconds = 0.5;
constexpr double kUnsyncedRatio = 1.5;
// A try of the driver paces the loop a quarter above the refresh rate: where
// the driver holds each swap to the refresh, the frames come at that rate
// instead, and the line between the two is drawn halfway. The try costs a
// driver that ignores the interval a quarter more frames for half a second.
constexpr double kProbeRatio = 1.25;
constexpr double kProbeHeldRatio = 1.12;
// A self-pacing loop first tries the driver again this long after it fell
// back, then twice as long after every failed try, up to the longest.
constexpr double kFirstProbeSeconds = 1.0;
constexpr double kLongestProbeSeconds = 64.0;

std::int64_t ticks_for(double hz, std::int64_t ticks_per_second) {
    return std::max<std::int64_t>(1, std::llround(static_cast<double>(ticks_per_second) / hz));
}

}  // namespace

double refresh_rate_or_default(double reported_hz) {
    if (!(reported_hz >= kLowestRefresh && reported_hz <= kHighestRefresh))
        return kDefaultRefresh;
    return reported_hz;
}

double frame_rate_cap(bool remote_session, const char* gl_renderer) {
    const bool software = gl_renderer && std::strcmp(gl_renderer, "GDI Generic") == 0;
    return remote_session || software ? kModestRate : 0.0;
}

void FramePacer::start(std::int64_t now, std::int64_t ticks_per_second, const PacingPlan& plan) {
    ticks_per_second_ = ticks_per_second > 0 ? ticks_per_second : 1;
    driver_syncs_ = plan.driver_syncs;
    cap_hz_ = plan.cap_hz > 0.0 ? plan.cap_hz : 0.0;
    if (!plan.pace)
        pacing_ = Pacing::Unpaced;
    else if (cap_hz_ > 0.0)
        pacing_ = Pacing::Capped;
    else
        pacing_ = plan.driver_syncs ? Pacing::Driver : Pacing::Self;
    probe_interval_ = kFirstProbeSeconds;
    set_refresh_rate(now, plan.refresh_hz);
}

void FramePacer::set_refresh_rate(std::int64_t now, double refresh_hz) {
    refresh_hz_ = refresh_rate_or_default(refresh_hz);
    period_ = ticks_for(refresh_hz_, ticks_per_second_);
    restart(now);
}

void FramePacer::restart(std::int64_t now) {
    deadline_ = now;
    watch_start_ = now;
    watch_frames_ = 0;
    next_probe_ = now + static_cast<std::int64_t>(probe_interval_ * static_cast<double>(ticks_per_second_));
}

std::int64_t FramePacer::deadline_period() const {
    switch (pacing_) {
        case Pacing::Probing:
            return ticks_for(refresh_hz_ * kProbeRatio, ticks_per_second_);
        case Pacing::Capped:
            return std::max(period_, ticks_for(cap_hz_, ticks_per_second_));
        default:
            return period_;
    }
}

std::int64_t FramePacer::ticks_to_wait(std::int64_t now) const {
    if (pacing_ == Pacing::Unpaced || pacing_ == Pacing::Driver || now >= deadline_)
        return 0;
    return std::min(deadline_ - now, deadline_period());
}

void FramePacer::frame_shown(std::int64_t now) {
    if (pacing_ == Pacing::Unpaced)
        return;
    if (pacing_ != Pacing::Driver) {
        const std::int64_t period = deadline_period();
        deadline_ += period;
        // A frame late by up to one period is made up by the next waits; one
        // later than that (a slow frame, a stall, a clock that went back)
        // starts the schedule again from now rather than drawing a burst to
        // catch up.
        if (now - deadline_ > period || deadline_ - now > period)
            deadline_ = now;
    }
    if (pacing_ == Pacing::Self && driver_syncs_ && now >= next_probe_) {
        pacing_ = Pacing::Probing;
        watch_start_ = now;
        watch_frames_ = 0;
        return;
    }
    if (pacing_ != Pacing::Driver && pacing_ != Pacing::Probing)
        return;
    ++watch_frames_;
    const double seconds = static_cast<double>(now - watch_start_) / static_cast<double>(ticks_per_second_);
    if (seconds < kWatchSeconds)
        return;
    end_watch(now, watch_frames_ / seconds);
}

void FramePacer::end_watch(std::int64_t now, double frames_per_second) {
    watch_start_ = now;
    watch_frames_ = 0;
    if (pacing_ == Pacing::Driver) {
        if (frames_per_second <= refresh_hz_ * kUnsyncedRatio)
            return;
    } else if (frames_per_second <= refresh_hz_ * kProbeHeldRatio) {
        // The try of the driver held the frames to the refresh.
        pacing_ = Pacing::Driver;
        probe_interval_ = kFirstProbeSeconds;
        return;
    } else {
        probe_interval_ = std::min(probe_interval_ * 2.0, kLongestProbeSeconds);
    }
    pacing_ = Pacing::Self;
    deadline_ = now;
    next_probe_ = now + static_cast<std::int64_t>(probe_interval_ * static_cast<double>(ticks_per_second_));
}

}  // namespace renderer
