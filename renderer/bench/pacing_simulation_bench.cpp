// The loop's pacing on simulated displays (renderer/tests/simulated_display.h):
// for each common refresh rate, a driver that honours the swap interval and
// one that ignores it, ten minutes with a two-second burst of swaps that
// return at once from 5 s on. Prints one line per display
// (scripts/bench-renderer).
#include <cstdio>
#include <initializer_list>

#include "renderer/tests/simulated_display.h"

int main() {
    const double rates[] = {59.94, 60, 144, 165, 240};
    std::printf("%-8s %-8s %14s %16s %12s\n", "display", "driver", "back on driver", "missed/minute", "average fps");
    for (const bool honours : {true, false}) {
        for (const double hz : rates) {
            pacing_test::SimulatedDisplay display;
            display.refresh_hz = hz;
            display.honours_interval = honours;
            display.burst_from = 5.0;
            display.burst_to = 7.0;
            const pacing_test::SimulationFigures f = pacing_test::simulate(display, 600.0, 12.0);
            char back[32];
            if (f.back_on_driver >= 0.0)
                std::snprintf(back, sizeof back, "%.2f s", f.back_on_driver);
            else
                std::snprintf(back, sizeof back, "never");
            std::printf("%-8.2f %-8s %14s %16.2f %12.3f\n", hz, honours ? "honours" : "ignores", back,
                        f.missed_per_minute, f.average_fps);
        }
    }
    return 0;
}
