// The loop's pacing on simulated displays (renderer/tests/simulated_display.h),
// ten minutes each with a two-second burst of swaps that return at once from
// 5 s on: for each common refresh rate, a driver that honours the swap
// interval, one that spins on a processor while it holds each swap (with each
// frame's work between 1.5 and 3 ms and waits ending up to 2 ms late), and one
// that ignores the interval; then machines only a little faster than the
// display under a driver that ignores it. Prints one line per display
// (scripts/bench-renderer).
#include <cstdio>
#include <vector>

#include "renderer/tests/simulated_display.h"

namespace {

enum class Driver { Honours, Spins, Ignores };

struct Case {
    double hz;
    Driver driver;
    double draw_ms;  // the frame's work; 0: the simulation's default
};

pacing_test::SimulatedDisplay display_for(const Case& c) {
    pacing_test::SimulatedDisplay display;
    if (c.driver == Driver::Spins)
        display = pacing_test::spinning_driver(c.hz);
    display.refresh_hz = c.hz;
    display.honours_interval = c.driver != Driver::Ignores;
    display.burst_from = 5.0;
    display.burst_to = 7.0;
    if (c.draw_ms > 0.0)
        display.draw_seconds = c.draw_ms / 1000.0;
    return display;
}

const char* driver_name(Driver driver) {
    switch (driver) {
        case Driver::Honours:
            return "honours";
        case Driver::Spins:
            return "spins";
        default:
            return "ignores";
    }
}

}  // namespace

int main() {
    const double rates[] = {59.94, 60, 144, 165, 240};
    std::vector<Case> cases;
    for (const Driver driver : {Driver::Honours, Driver::Spins, Driver::Ignores})
        for (const double hz : rates)
            cases.push_back({hz, driver, 0.0});
    for (const Case slow : {Case{60, Driver::Ignores, 12}, Case{60, Driver::Ignores, 14.5},
                            Case{59.94, Driver::Ignores, 14}, Case{144, Driver::Ignores, 5.5}})
        cases.push_back(slow);

    std::printf("%-8s %-8s %8s %14s %14s %12s %12s %14s\n", "display", "driver", "draw ms", "back on driver",
                "missed/minute", "average fps", "in swap ms", "processor s/s");
    for (const Case& c : cases) {
        const pacing_test::SimulatedDisplay display = display_for(c);
        const pacing_test::SimulationFigures f = pacing_test::simulate(display, 600.0, 12.0);
        char back[32];
        if (f.back_on_driver >= 0.0)
            std::snprintf(back, sizeof back, "%.2f s", f.back_on_driver);
        else
            std::snprintf(back, sizeof back, "never");
        char draw[32];
        if (display.draw_spread > 0.0)
            std::snprintf(draw, sizeof draw, "%.1f-%.1f", display.draw_seconds * 1000.0,
                          (display.draw_seconds + display.draw_spread) * 1000.0);
        else
            std::snprintf(draw, sizeof draw, "%.1f", display.draw_seconds * 1000.0);
        std::printf("%-8.2f %-8s %8s %14s %14.2f %12.3f %12.2f %14.3f\n", c.hz, driver_name(c.driver), draw, back,
                    f.missed_per_minute, f.average_fps, f.swap_ms, f.processor_share);
    }
    return 0;
}
