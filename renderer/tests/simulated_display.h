// A display with vertical blanks and a driver, simulated on a 10 MHz clock,
// driving the real frame pacer as the renderer's loop does: wait while the
// pacer says so (each wait ending a little late, as a timer does), draw, swap.
// A driver that honours the swap interval holds each swap until the next
// vertical blank, and some (NVIDIA's on Windows) spin on a processor while
// they hold it; one that ignores it returns at once, as every driver does
// during a burst (a window occluded under the compositor, a mode switch).
// What Windows cannot show in a test box, figured here: missed refreshes, the
// time back on the driver after a burst, the self-paced rate, the time a
// frame spends inside its swap.
#pragma once

#include <cstdint>

#include "renderer/frame_pacer.h"

namespace pacing_test {

constexpr std::int64_t kTicksPerSecond = 10'000'000;  // as Windows' performance counter

struct SimulatedDisplay {
    double refresh_hz = 60.0;      // the display's exact rate
    double reported_hz = 0.0;      // the rate the loop is told; 0 = the exact one
    bool honours_interval = true;  // the driver holds each swap to the next vertical blank
    bool spins = false;            // ...and spins on a processor while it holds it
    double latest_return = 0.0;    // seconds: a swap held to a blank returns up to this much after it
    double burst_from = -1.0;      // seconds: from here to burst_to every swap returns at once
    double burst_to = -1.0;
    double change_at = -1.0;  // seconds: the display's rate becomes changed_hz here...
    double changed_hz = 0.0;
    double told_after = 0.0;      // ...and the loop is told this much later (0: never told when negative)
    double draw_seconds = 0.002;  // the processor's and the card's share of a frame
    double draw_spread = 0.0;     // seconds: each frame's share is draw_seconds plus up to this much more
    double latest_wake = 0.0006;  // seconds: each wait ends between 0.05 ms and this much late
    double cap_hz = 0.0;          // the rate the loop keeps to (a remote session, a power saver); 0 = none
};

struct SimulationFigures {
    std::int64_t frames = 0;
    double average_fps = 0.0;        // over the measured span
    double missed_per_minute = 0.0;  // refreshes without a new frame, over the measured span
    double back_on_driver = -1.0;    // seconds from the burst's end until the driver paces again; -1: never
    double swap_ms = 0.0;            // the average frame's time inside its swap, milliseconds
    double processor_share = 0.0;    // processor seconds a second: the frames' work, and the swaps where they spin
    renderer::Pacing pacing_at_end = renderer::Pacing::Unpaced;
};

// A driver that spins while it holds the swap, on a machine whose frames'
// work varies between 1.5 and 3 ms and whose waits end up to 2 ms late.
SimulatedDisplay spinning_driver(double refresh_hz);

// Runs `seconds` of simulated time; the figures count from `measure_from` on.
SimulationFigures simulate(const SimulatedDisplay& display, double seconds, double measure_from);

}  // namespace pacing_test
