#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "renderer/frame_pacer.h"
#include "renderer/tests/simulated_display.h"

namespace {

using renderer::FramePacer;
using renderer::Pacing;
using renderer::PacingPlan;

constexpr std::int64_t kTicksPerSecond = 10'000'000;  // as Windows' performance counter
constexpr std::int64_t kMs = kTicksPerSecond / 1000;

TEST(RefreshRate, SixtyWhenTheSystemReportsNoneOrNothingBelievable) {
    const struct {
        double reported;
        double used;
    } cases[] = {{0, 60},  {1, 60},    {23, 60},   {23.976, 23.976}, {59, 59}, {59.94, 59.94},
                 {75, 75}, {144, 144}, {240, 240}, {100000, 60},     {-5, 60}, {NAN, 60}};
    for (const auto& c : cases)
        EXPECT_EQ(renderer::refresh_rate_or_default(c.reported), c.used) << c.reported;
}

// The loop as the renderer runs it: a frame when no wait is due, otherwise a
// wait that ends `late` ticks after its time (a coarse timer, a busy machine).
struct LoopFigures {
    double fps = 0.0;
    std::int64_t longest_wait = 0;
    int waits = 0;
};

LoopFigures run_loop(FramePacer& pacer, std::int64_t& now, double seconds, std::int64_t draw, std::int64_t late) {
    LoopFigures figures;
    const std::int64_t end = now + static_cast<std::int64_t>(seconds * kTicksPerSecond);
    int frames = 0;
    while (now < end) {
        const std::int64_t wait = pacer.ticks_to_wait(now);
        if (wait > 0) {
            figures.longest_wait = std::max(figures.longest_wait, wait);
            ++figures.waits;
            now += wait + late;
            continue;
        }
        now += draw;
        pacer.frame_shown(now);
        ++frames;
    }
    figures.fps = frames / seconds;
    return figures;
}

TEST(FramePacer, SelfPacedLoopAveragesTheRefreshRateWhateverTheWaitsOvershoot) {
    struct Case {
        double refresh;
        std::int64_t draw, late;  // ticks
        double fps;               // expected average
    } const cases[] = {
        {60, 1 * kMs, 0, 60},          //
        {60, 1 * kMs, 1 * kMs, 60},    // waits rounded up to whole milliseconds
        {60, 5 * kMs, 3 * kMs, 60},    // a busy machine
        {144, kMs / 2, kMs / 2, 144},  //
        {60, 25 * kMs, 0, 40},         // slower than the display: no waits, no catching up
    };
    for (const Case& c : cases) {
        FramePacer pacer;
        std::int64_t now = 123 * kTicksPerSecond;
        pacer.start(now, kTicksPerSecond, PacingPlan{c.refresh, false, true, 0.0});
        const LoopFigures f = run_loop(pacer, now, 20.0, c.draw, c.late);
        EXPECT_NEAR(f.fps, c.fps, c.fps * 0.01) << c.refresh << " Hz, draw " << c.draw << ", late " << c.late;
        // No wait holds messages for longer than one refresh.
        EXPECT_LE(f.longest_wait, pacer.period());
        EXPECT_EQ(f.waits > 0, c.fps == c.refresh);
    }
}

TEST(FramePacer, PacesItselfOnlyWhenTheDriversSwapIntervalHasNoEffect) {
    struct Case {
        bool driver_syncs;
        std::int64_t frame;  // ticks per frame as the driver delivers them
        bool self_paced;     // after a second of frames
    } const cases[] = {
        {true, kTicksPerSecond / 60, false},    // the driver holds each swap to the refresh
        {true, kTicksPerSecond / 61, false},    // a display a little faster than read (59.94 Hz read as 59)
        {true, kTicksPerSecond / 30, false},    // a slow machine: every other refresh
        {true, kTicksPerSecond / 1000, true},   // the interval did nothing
        {true, kTicksPerSecond / 65, true},     // ...on a machine only a little faster than the display
        {true, kTicksPerSecond / 50, true},     // swaps that keep to no whole number of refreshes
        {false, kTicksPerSecond / 1000, true},  // no swap interval to be had
    };
    for (const Case& c : cases) {
        FramePacer pacer;
        std::int64_t now = 0;
        pacer.start(now, kTicksPerSecond, PacingPlan{60.0, c.driver_syncs, true, 0.0});
        for (int f = 0; f < 1000 && now < kTicksPerSecond; ++f) {
            now += std::max(c.frame, pacer.ticks_to_wait(now));
            pacer.frame_shown(now);
        }
        EXPECT_EQ(pacer.self_pacing(), c.self_paced) << c.frame;
    }
}

TEST(FramePacer, UnpacedNeverWaits) {
    FramePacer pacer;
    std::int64_t now = 0;
    pacer.start(now, kTicksPerSecond, PacingPlan{60.0, false, false, 0.0});
    const LoopFigures f = run_loop(pacer, now, 2.0, kMs / 10, 0);
    EXPECT_EQ(f.waits, 0);
    EXPECT_NEAR(f.fps, 10000, 1);
}

TEST(FramePacer, AfterAStallTheScheduleStartsAgainInsteadOfCatchingUp) {
    for (const std::int64_t stall : {kTicksPerSecond, 3600 * kTicksPerSecond}) {
        FramePacer pacer;
        std::int64_t now = 0;
        pacer.start(now, kTicksPerSecond, PacingPlan{60.0, false, true, 0.0});
        run_loop(pacer, now, 1.0, kMs, 0);
        now += stall;  // the frame that spans the stall
        pacer.frame_shown(now);
        // One frame now, then the refresh rate again: no burst of frames.
        EXPECT_EQ(pacer.ticks_to_wait(now), 0);
        now += kMs;
        pacer.frame_shown(now);
        EXPECT_NEAR(static_cast<double>(pacer.ticks_to_wait(now)), pacer.period() - kMs, 1.0);
        const LoopFigures after = run_loop(pacer, now, 1.0, kMs, 0);
        EXPECT_NEAR(after.fps, 60, 1) << stall;
    }
}

TEST(FramePacer, ModestRateOnlyForRemoteSessionsPowerSaversAndTheSoftwareRenderer) {
    const char* const nvidia = "NVIDIA GeForce RTX 4070/PCIe/SSE2";
    const struct {
        bool remote, saver;
        const char* gl_renderer;
        double cap;
    } cases[] = {
        {true, false, nvidia, 20},
        {false, false, "GDI Generic", 20},
        {true, false, nullptr, 20},
        {false, true, nvidia, 20},
        {true, true, "GDI Generic", 20},
        {false, true, nullptr, 20},
        {false, false, "llvmpipe (LLVM 15.0.6, 256 bits)", 0},
        {false, false, "GDI Generic 2", 0},
        {false, false, nullptr, 0},
        {false, false, nvidia, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(renderer::frame_rate_cap(c.remote, c.saver, c.gl_renderer), c.cap)
            << c.remote << c.saver << " " << (c.gl_renderer ? c.gl_renderer : "(none)");
}

// A remote session or Microsoft's software renderer: every frame crosses the
// network or takes a core, so the loop keeps to a modest rate whatever the
// driver does; the motion is per second, so it looks the same.
TEST(FramePacer, ACapHoldsTheLoopBelowTheRefreshRateWhateverTheDriver) {
    for (const bool driver_syncs : {false, true}) {
        FramePacer pacer;
        std::int64_t now = 0;
        pacer.start(now, kTicksPerSecond, PacingPlan{60.0, driver_syncs, true, 20.0});
        const LoopFigures f = run_loop(pacer, now, 10.0, kMs, kMs / 2);
        EXPECT_NEAR(f.fps, 20, 0.2) << driver_syncs;
        EXPECT_EQ(pacer.pacing(), Pacing::Capped);
        EXPECT_LE(f.longest_wait, kTicksPerSecond / 20);
    }
    // A power saver turned on and off mid-run: a driver found to ignore the
    // interval (every swap here returns at once) is not trusted again the
    // moment the cap goes, which would draw flat out until found out anew.
    {
        FramePacer pacer;
        std::int64_t now = 0;
        pacer.start(now, kTicksPerSecond, PacingPlan{60.0, true, true, 0.0});
        run_loop(pacer, now, 2.0, kMs, 0);
        ASSERT_TRUE(pacer.self_pacing());
        pacer.set_cap(now, 20.0);
        EXPECT_NEAR(run_loop(pacer, now, 5.0, kMs, 0).fps, 20, 0.4);
        pacer.set_cap(now, 0.0);
        EXPECT_NEAR(run_loop(pacer, now, 1.0, kMs, 0).fps, 60, 1);
        EXPECT_TRUE(pacer.self_pacing());
    }
    // Where the driver holds each swap to a blank, and spins while it does,
    // the capped loop sleeps until just before the blank after its time.
    for (const double hz : {59.94, 144.0, 240.0}) {
        pacing_test::SimulatedDisplay display = pacing_test::spinning_driver(hz);
        display.cap_hz = 20.0;
        const pacing_test::SimulationFigures f = pacing_test::simulate(display, 120.0, 5.0);
        EXPECT_NEAR(f.average_fps, 20, 0.2) << hz;
        EXPECT_LE(f.swap_ms, std::min(4.0, 500.0 / hz)) << hz;
    }
}

// The simulated display: after a two-second burst of swaps that return at
// once, a driver that honours the swap interval paces the loop again within
// a few seconds, and then no refresh goes without a frame, and a driver that
// spins while it holds the swap has little left to spin; a driver that
// ignores it gets a self-paced loop at the display's exact rate, also on a
// machine only a little faster than the display. A refresh rate that changes
// mid-run (another monitor, a display change) is followed once the loop is
// told; one a little off the rate read, or swaps that return a little after
// the blank, do not make a driver that paces look like one that ignores.
TEST(SimulatedDisplay, BackOnTheDriverAfterABurstAndTheExactRateOtherwise) {
    using pacing_test::SimulatedDisplay;
    enum Driver { Honours, Spins, Ignores };
    struct Case {
        double hz;
        Driver driver;
        double change_to;    // Hz from 60 s on, told half a second later; 0 = none
        double draw_ms;      // the frame's work; 0: the display's default
        double reported_hz;  // the rate the loop reads; 0: the exact one
        double return_ms;    // a swap held to a blank returns up to this much after it
    } const cases[] = {
        // hz, driver, change_to, draw_ms, reported_hz, return_ms
        {59.94, Honours, 0, 0, 0, 0},
        {60, Honours, 0, 0, 0, 0},
        {144, Honours, 0, 0, 0, 0},
        {165, Honours, 0, 0, 0, 0},
        {240, Honours, 0, 0, 0, 0},
        {59.94, Ignores, 0, 0, 0, 0},
        {60, Ignores, 0, 0, 0, 0},
        {144, Ignores, 0, 0, 0, 0},
        {165, Ignores, 0, 0, 0, 0},
        {240, Ignores, 0, 0, 0, 0},
        {60, Honours, 144, 0, 0, 0},
        {60, Ignores, 144, 0, 0, 0},
        {144, Ignores, 59.94, 0, 0, 0},
        // a driver that spins while it holds the swap
        {59.94, Spins, 0, 0, 0, 0},
        {60, Spins, 0, 0, 0, 0},
        {144, Spins, 0, 0, 0, 0},
        {165, Spins, 0, 0, 0, 0},
        {240, Spins, 0, 0, 0, 0},
        {60, Spins, 144, 0, 0, 0},
        // machines only a little faster than the display
        {60, Ignores, 0, 12, 0, 0},
        {60, Ignores, 0, 14.5, 0, 0},
        {59.94, Ignores, 0, 14, 0, 0},
        {144, Ignores, 0, 5.5, 0, 0},
        // a driver that paces, not to be taken for one that ignores the interval
        {59.94, Honours, 0, 0, 59, 0},
        {60, Honours, 0, 0, 59.94, 0},
        {59.94, Spins, 0, 0, 59, 0},
        {144, Spins, 0, 0, 0, 0.5},
    };
    for (const Case& c : cases) {
        SimulatedDisplay display = c.driver == Spins ? pacing_test::spinning_driver(c.hz) : SimulatedDisplay{};
        display.refresh_hz = c.hz;
        display.reported_hz = c.reported_hz;
        display.honours_interval = c.driver != Ignores;
        display.latest_return = c.return_ms / 1000.0;
        display.burst_from = 5.0;
        display.burst_to = 7.0;
        if (c.draw_ms > 0)
            display.draw_seconds = c.draw_ms / 1000.0;
        if (c.change_to > 0) {
            display.change_at = 60.0;
            display.changed_hz = c.change_to;
            display.told_after = 0.5;
        }
        const double final_hz = c.change_to > 0 ? c.change_to : c.hz;
        const double measure_from = c.change_to > 0 ? 61.0 : 12.0;
        const pacing_test::SimulationFigures f = pacing_test::simulate(display, 600.0, measure_from);
        const char* const drivers[] = {"honours", "spins", "ignores"};
        const std::string row = std::to_string(c.hz) + " Hz, " + drivers[c.driver] + ", then " +
                                std::to_string(c.change_to) + ", draw " + std::to_string(c.draw_ms) + " ms";
        if (c.driver != Ignores) {
            EXPECT_GE(f.back_on_driver, 0.0) << row;
            EXPECT_LE(f.back_on_driver, 5.0) << row;
            EXPECT_LE(f.missed_per_minute, 1.0) << row;
            EXPECT_EQ(f.pacing_at_end, Pacing::Driver) << row;
            EXPECT_LE(f.swap_ms, std::min(4.0, 500.0 / final_hz)) << row;  // at most half a period
        } else {
            EXPECT_NEAR(f.average_fps, final_hz, final_hz * 0.005) << row;
            EXPECT_NE(f.pacing_at_end, Pacing::Driver) << row;
        }
    }
}

}  // namespace
