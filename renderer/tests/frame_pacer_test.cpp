#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "renderer/frame_pacer.h"

namespace {

using renderer::FramePacer;

constexpr std::int64_t kTicksPerSecond = 10'000'000;  // as Windows' performance counter
constexpr std::int64_t kMs = kTicksPerSecond / 1000;

TEST(RefreshRate, SixtyWhenTheSystemReportsNoneOrNothingBelievable) {
    const struct {
        int reported;
        double used;
    } cases[] = {{0, 60}, {1, 60}, {23, 60}, {59, 59}, {75, 75}, {144, 144}, {240, 240}, {100000, 60}, {-5, 60}};
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
        pacer.start(now, kTicksPerSecond, c.refresh, false, true);
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
        {true, kTicksPerSecond / 75, false},    // a display faster than reported: still the driver's
        {true, kTicksPerSecond / 1000, true},   // the interval did nothing
        {false, kTicksPerSecond / 1000, true},  // no swap interval to be had
    };
    for (const Case& c : cases) {
        FramePacer pacer;
        std::int64_t now = 0;
        pacer.start(now, kTicksPerSecond, 60.0, c.driver_syncs, true);
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
    pacer.start(now, kTicksPerSecond, 60.0, false, false);
    const LoopFigures f = run_loop(pacer, now, 2.0, kMs / 10, 0);
    EXPECT_EQ(f.waits, 0);
    EXPECT_NEAR(f.fps, 10000, 1);
}

TEST(FramePacer, AfterAStallTheScheduleStartsAgainInsteadOfCatchingUp) {
    for (const std::int64_t stall : {kTicksPerSecond, 3600 * kTicksPerSecond}) {
        FramePacer pacer;
        std::int64_t now = 0;
        pacer.start(now, kTicksPerSecond, 60.0, false, true);
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

}  // namespace
