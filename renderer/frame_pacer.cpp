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
// The driver is judged over this share of a second. A driver that holds each
// swap to a vertical blank spaces the swaps by whole refresh periods, give or
// take the jitter of its returns, which evens out over the span; swaps that
// come this share of a period sooner or later on average do not keep to the
// blanks. The share leaves room for a display whose real rate is a little off
// the one read (59.94 Hz read as 59 is 1.6 % faster).
constexpr double kWatchSeconds = 0.5;
constexpr double kOffBlanksShare = 0.03;
// A try of the driver paces the loop a quarter above the refresh rate: where
// the driver holds each swap to the refresh, the swaps keep to whole periods
// instead. The try costs a driver that ignores the interval a quarter more
// frames for half a second.
constexpr double kProbeRatio = 1.25;
// In driver pacing the loop wakes this share of a period before the frame
// must be ready for the next blank, besides the frame's work and the wait's
// lateness: room for the driver's returns to wander and for a display a
// little faster than read. A driver that ignores the interval then shows
// frames at least that much sooner than the blanks, more than
// kOffBlanksShare, and is found out.
constexpr double kBlankGuardShare = 0.06;
// How late a wait is taken to end until one has been measured, and how long
// the measured peaks count (recent_peak.h): a work spike passes within
// seconds; the lateness peak stands while the loop makes no waits to measure
// it by, so that a loop that cannot afford a wait before the blank does not
// try one again every few seconds and miss a refresh each time.
constexpr double kAssumedLatenessSeconds = 0.001;
constexpr double kPeakSpanSeconds = 1.0;
constexpr double kLatenessHoldSeconds = 60.0;
// How far the vertical blank taken from the swaps' returns moves towards a
// return later than it: 1 / kBlankFollowing of the way.
constexpr std::int64_t kBlankFollowing = 2;
// A self-pacing loop first tries the driver again this long after it fell
// back, then twice as long after every failed try, up to the longest.
constexpr double kFirstProbeSeconds = 1.0;
constexpr double kLongestProbeSeconds = 64.0;

std::int64_t ticks_for(double hz, std::int64_t ticks_per_second) {
    return std::max<std::int64_t>(1, std::llround(static_cast<double>(ticks_per_second) / hz));
}

std::int64_t ticks_in(double seconds, std::int64_t ticks_per_second) {
    return std::llround(seconds * static_cast<double>(ticks_per_second));
}

}  // namespace

double refresh_rate_or_default(double reported_hz) {
    if (!(reported_hz >= kLowestRefresh && reported_hz <= kHighestRefresh))
        return kDefaultRefresh;
    return reported_hz;
}

double frame_rate_cap(bool remote_session, bool power_saver, const char* gl_renderer) {
    const bool software = gl_renderer && std::strcmp(gl_renderer, "GDI Generic") == 0;
    return remote_session || power_saver || software ? kModestRate : 0.0;
}

void FramePacer::start(std::int64_t now, std::int64_t ticks_per_second, const PacingPlan& plan) {
    ticks_per_second_ = ticks_per_second > 0 ? ticks_per_second : 1;
    driver_syncs_ = plan.driver_syncs;
    cap_hz_ = plan.cap_hz > 0.0 ? plan.cap_hz : 0.0;
    uncapped_ = plan.driver_syncs ? Pacing::Driver : Pacing::Self;
    if (!plan.pace)
        pacing_ = Pacing::Unpaced;
    else
        pacing_ = cap_hz_ > 0.0 ? Pacing::Capped : uncapped_;
    probe_interval_ = kFirstProbeSeconds;
    const std::int64_t span = ticks_in(kPeakSpanSeconds, ticks_per_second_);
    work_ = RecentPeak(span, span);
    lateness_ = RecentPeak(span, ticks_in(kLatenessHoldSeconds, ticks_per_second_));
    set_refresh_rate(now, plan.refresh_hz);
}

void FramePacer::set_refresh_rate(std::int64_t now, double refresh_hz) {
    refresh_hz_ = refresh_rate_or_default(refresh_hz);
    period_ = ticks_for(refresh_hz_, ticks_per_second_);
    restart(now);
}

void FramePacer::set_cap(std::int64_t now, double cap_hz) {
    if (pacing_ == Pacing::Unpaced)
        return;
    cap_hz_ = cap_hz > 0.0 ? cap_hz : 0.0;
    if (cap_hz_ > 0.0 && pacing_ != Pacing::Capped) {
        uncapped_ = pacing_ == Pacing::Driver ? Pacing::Driver : Pacing::Self;  // a probe under way is dropped
        pacing_ = Pacing::Capped;
    } else if (cap_hz_ == 0.0 && pacing_ == Pacing::Capped) {
        pacing_ = uncapped_;
    }
    restart(now);
}

void FramePacer::restart(std::int64_t now) {
    deadline_ = now;
    begin_watch(now);
    shown_ = false;
    frame_started_ = false;
    waited_ = false;
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

std::int64_t FramePacer::lead_before_blank(std::int64_t now) const {
    const std::int64_t work = work_.value(now);
    if (!shown_ || work < 0)
        return -1;  // no blank seen yet, or the frames' work unknown
    std::int64_t lateness = lateness_.value(now);
    if (lateness < 0)
        lateness = ticks_in(kAssumedLatenessSeconds, ticks_per_second_);
    return work + lateness + static_cast<std::int64_t>(static_cast<double>(period_) * kBlankGuardShare);
}

std::int64_t FramePacer::wake(std::int64_t now) const {
    const std::int64_t lead = lead_before_blank(now);
    switch (pacing_) {
        case Pacing::Driver:
            // The next blank; where the frame cannot be ready for it even
            // if it starts now, the driver holds it to a later one anyway.
            return lead < 0 ? now : blank_ + period_ - lead;
        case Pacing::Capped: {
            // The first blank the frame can be ready for once its time has
            // come: where the driver holds each swap to a blank, the frame
            // waits for it asleep rather than in the swap. A lead longer
            // than a period would leave more to spin than a wait saves.
            if (lead < 0 || lead >= period_ || !driver_syncs_)
                return deadline_;
            const std::int64_t periods = (deadline_ + lead - blank_ + period_ - 1) / period_;
            return std::max(deadline_, blank_ + std::max<std::int64_t>(0, periods) * period_ - lead);
        }
        default:
            return deadline_;
    }
}

std::int64_t FramePacer::ticks_to_wait(std::int64_t now) {
    std::int64_t wait = 0;
    if (pacing_ == Pacing::Unpaced)
        return 0;
    const std::int64_t until = wake(now);
    if (now < until)
        wait = std::min(until - now, pacing_ == Pacing::Driver ? period_ : deadline_period());
    if (wait > 0) {
        waited_ = true;
        wake_ = now + wait;
    } else if (!frame_started_) {
        frame_started_ = true;
        frame_start_ = now;
    }
    return wait;
}

void FramePacer::frame_drawn(std::int64_t now) {
    if (!frame_started_)
        return;
    work_.add(now - frame_start_, now);
    if (waited_)
        lateness_.add(frame_start_ - wake_, now);
}

void FramePacer::frame_shown(std::int64_t now) {
    if (pacing_ == Pacing::Unpaced)
        return;
    frame_started_ = false;
    waited_ = false;
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
        begin_watch(now);
    } else if (pacing_ == Pacing::Driver || pacing_ == Pacing::Probing) {
        watch_frame(now);
    }
    note_blank(now);
    shown_ = true;
    last_shown_ = now;
}

// A driver that paces returns from the swap at a vertical blank, or a little
// after it where the thread it wakes waits for a processor. The blank is
// projected from the earlier returns by whole periods; an earlier return
// takes its place, a later one (by less than a quarter period) draws it part
// of the way, enough to follow a display a little slower than the rate read.
void FramePacer::note_blank(std::int64_t now) {
    if (shown_) {
        const double periods = static_cast<double>(now - blank_) / static_cast<double>(period_);
        const std::int64_t projected = blank_ + std::llround(periods) * period_;
        const std::int64_t after = now - projected;
        if (periods >= 0.5 && after >= 0 && after < period_ / 4) {
            blank_ = projected + after / kBlankFollowing;
            return;
        }
    }
    blank_ = now;
}

void FramePacer::begin_watch(std::int64_t now) {
    watch_start_ = now;
    watch_blanks_ = 0;
}

void FramePacer::watch_frame(std::int64_t now) {
    if (!shown_) {
        begin_watch(now);  // the span starts at a swap's return, as every interval in it
        return;
    }
    // The whole periods nearest to the time since the last swap: what a
    // driver that honours the interval makes of it (one at least).
    const double periods = static_cast<double>(now - last_shown_) / static_cast<double>(period_);
    watch_blanks_ += std::max<std::int64_t>(1, std::llround(periods));
    const std::int64_t elapsed = now - watch_start_;
    if (static_cast<double>(elapsed) < kWatchSeconds * static_cast<double>(ticks_per_second_))
        return;
    const double blanks_time = static_cast<double>(watch_blanks_ * period_);
    end_watch(now, std::abs(static_cast<double>(elapsed) - blanks_time) <= kOffBlanksShare * blanks_time);
}

void FramePacer::end_watch(std::int64_t now, bool held) {
    begin_watch(now);
    if (pacing_ == Pacing::Driver) {
        if (held)
            return;
    } else if (held) {
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
