#include "renderer/tests/simulated_display.h"

#include <cmath>

namespace pacing_test {
namespace {

using renderer::FramePacer;
using renderer::Pacing;

std::int64_t ticks(double seconds) {
    return std::llround(seconds * kTicksPerSecond);
}

// The display's vertical blanks, at a rate that may change once; time only
// moves forward, so they are stepped through as it passes.
class VerticalBlanks {
public:
    VerticalBlanks(double hz, std::int64_t change_at, double changed_hz)
        : period_(kTicksPerSecond / hz),
          changed_period_(changed_hz > 0.0 ? kTicksPerSecond / changed_hz : period_),
          change_at_(change_at) {}

    // The first blank at or after `t`, which becomes the current one.
    std::int64_t at_or_after(std::int64_t t) {
        while (last_ < static_cast<double>(t)) {
            last_ += change_at_ >= 0 && last_ >= static_cast<double>(change_at_) ? changed_period_ : period_;
            ++index_;
        }
        return static_cast<std::int64_t>(std::ceil(last_));
    }
    std::int64_t index() const { return index_; }

private:
    double period_, changed_period_;
    std::int64_t change_at_;
    double last_ = 0.0;
    std::int64_t index_ = 0;
};

// Fractions between 0 and 1 from a fixed sequence, so every run is the same:
// how late each wait ends (as a high-resolution timer on a busy machine), how
// long each frame's work takes.
class Sequence {
public:
    explicit Sequence(std::uint32_t seed) : state_(seed) {}

    double next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<double>((state_ >> 8) & 0xFFFF) / 65535.0;
    }

private:
    std::uint32_t state_;
};

constexpr double kEarliestWake = 0.00005;  // seconds late

}  // namespace

SimulatedDisplay spinning_driver(double refresh_hz) {
    SimulatedDisplay display;
    display.refresh_hz = refresh_hz;
    display.spins = true;
    display.draw_seconds = 0.0015;
    display.draw_spread = 0.0015;
    display.latest_wake = 0.002;
    return display;
}

SimulationFigures simulate(const SimulatedDisplay& display, double seconds, double measure_from) {
    const std::int64_t end = ticks(seconds);
    const std::int64_t measured_from = ticks(measure_from);
    const std::int64_t change_at = display.change_at >= 0.0 ? ticks(display.change_at) : -1;
    const std::int64_t told_at =
        change_at >= 0 && display.told_after >= 0.0 ? change_at + ticks(display.told_after) : -1;
    const std::int64_t burst_from = display.burst_from >= 0.0 ? ticks(display.burst_from) : -1;
    const std::int64_t burst_to = display.burst_to >= 0.0 ? ticks(display.burst_to) : -1;

    VerticalBlanks blanks(display.refresh_hz, change_at, display.changed_hz);
    Sequence lateness(2024);
    Sequence work(1977);
    Sequence wakeup(1989);
    FramePacer pacer;
    renderer::PacingPlan plan;
    plan.refresh_hz = display.reported_hz > 0.0 ? display.reported_hz : display.refresh_hz;
    plan.driver_syncs = true;  // the driver accepted the interval; whether it honours it is the display's
    plan.cap_hz = display.cap_hz;
    std::int64_t now = 0;
    pacer.start(now, kTicksPerSecond, plan);

    SimulationFigures figures;
    std::int64_t misses = 0;
    std::int64_t in_swap = 0;      // ticks, over the measured frames
    std::int64_t busy = 0;         // processor ticks, over the measured frames
    std::int64_t last_blank = -1;  // the blank the last frame was shown at; -1 after a frame shown at once
    bool told = false;
    while (now < end) {
        if (!told && told_at >= 0 && now >= told_at) {
            pacer.set_refresh_rate(now, display.changed_hz);
            told = true;
        }
        const std::int64_t wait = pacer.ticks_to_wait(now);
        if (wait > 0) {
            now += wait + ticks(kEarliestWake + lateness.next() * (display.latest_wake - kEarliestWake));
            continue;
        }
        const std::int64_t drawing = ticks(display.draw_seconds + work.next() * display.draw_spread);
        now += drawing;
        const std::int64_t drawn = now;
        pacer.frame_drawn(now);
        const bool in_burst = burst_from >= 0 && now >= burst_from && now < burst_to;
        std::int64_t blank = -1;
        if (display.honours_interval && !in_burst) {
            now = blanks.at_or_after(now) + ticks(wakeup.next() * display.latest_return);
            blank = blanks.index();
        }
        pacer.frame_shown(now);
        if (now >= measured_from) {
            ++figures.frames;
            if (blank >= 0 && last_blank >= 0)
                misses += blank - last_blank - 1;
            in_swap += now - drawn;
            busy += drawing + (display.spins ? now - drawn : 0);
        }
        last_blank = blank;
        if (figures.back_on_driver < 0.0 && burst_to >= 0 && now >= burst_to && pacer.pacing() == Pacing::Driver)
            figures.back_on_driver = static_cast<double>(now - burst_to) / kTicksPerSecond;
    }
    const double measured_seconds = static_cast<double>(now - measured_from) / kTicksPerSecond;
    figures.average_fps = static_cast<double>(figures.frames) / measured_seconds;
    figures.missed_per_minute = static_cast<double>(misses) * 60.0 / measured_seconds;
    if (figures.frames > 0)
        figures.swap_ms = static_cast<double>(in_swap) * 1000.0 / kTicksPerSecond / static_cast<double>(figures.frames);
    figures.processor_share = static_cast<double>(busy) / kTicksPerSecond / measured_seconds;
    figures.pacing_at_end = pacer.pacing();
    return figures;
}

}  // namespace pacing_test
