#include <gtest/gtest.h>

#include <algorithm>

#include "renderer/scene/scene_state.h"
#include "renderer/scene/stopwatch.h"
#include "renderer/tests/scripted.h"

namespace {

using scene_test::ScriptedCounter;

TEST(Stopwatch, ReadsZeroUntilFirstRestarted) {
    ScriptedCounter counter(1000);
    counter.now = 123456;
    scene::Stopwatch watch;
    EXPECT_EQ(scene::stopwatch_elapsed(watch, false, counter), 0.0f);
    EXPECT_EQ(watch.frequency, 0);  // a plain reading does not start it
    EXPECT_EQ(scene::stopwatch_elapsed(watch, true, counter), 0.0f);
    EXPECT_EQ(watch.frequency, 1000);
    EXPECT_EQ(watch.start, 123456);
}

TEST(Stopwatch, RestartReadsTheCounterAfreshAfterTheReading) {
    ScriptedCounter counter(1000);
    scene::Stopwatch watch{500, 1000};
    counter.now = 1250;
    counter.step_per_read = 7;  // every reading is 7 ticks later than the one before
    EXPECT_FLOAT_EQ(scene::stopwatch_elapsed(watch, false, counter), 0.75f);
    EXPECT_EQ(watch.start, 500);
    EXPECT_FLOAT_EQ(scene::stopwatch_elapsed(watch, true, counter), 0.757f);
    EXPECT_EQ(watch.start, 1264);  // the second reading of that call, not the one measured
    EXPECT_EQ(counter.reads, 3);
}

TEST(Stopwatch, LargeCountsKeepTheirDifference) {
    // Performance counters run at 10 MHz and more for days: only the difference matters.
    ScriptedCounter counter(10'000'000);
    scene::Stopwatch watch{4'000'000'000'000'000, 10'000'000};
    counter.now = watch.start + 2'000'000;
    EXPECT_FLOAT_EQ(scene::stopwatch_elapsed(watch, false, counter), 0.2f);
}

TEST(FrameRate, MeasuredEveryFifthOfASecondFromTheFramesCounted) {
    ScriptedCounter counter(1000);  // milliseconds
    scene::FrameRate rate;
    rate.fps = 42.0f;
    rate.frame_count = 9;
    scene::restart_frame_rate(rate, counter);  // at t = 0
    EXPECT_EQ(rate.fps, 0.0f);
    EXPECT_EQ(rate.frame_count, 0);

    struct Step {
        std::int64_t at_ms;
        float fps;  // after the frame
        int count;  // frames not yet measured
    } const steps[] = {
        {50, 0.0f, 1},   {100, 0.0f, 2},  {199, 0.0f, 3},  {200, 20.0f, 0},  // 4 frames in 0.2 s
        {250, 20.0f, 1}, {399, 20.0f, 2}, {450, 12.0f, 0},                   // 3 frames in 0.25 s
    };
    for (const Step& s : steps) {
        counter.now = s.at_ms;
        scene::count_frame(rate, counter);
        EXPECT_FLOAT_EQ(rate.fps, s.fps) << "at " << s.at_ms << " ms";
        EXPECT_EQ(rate.frame_count, s.count) << "at " << s.at_ms << " ms";
    }
}

TEST(FrameRate, UsesTheSecondReadingForTheRate) {
    // The rate divides by a second reading, taken after the 0.2 s test.
    ScriptedCounter counter(1000);
    scene::FrameRate rate;
    scene::restart_frame_rate(rate, counter);
    counter.now = 200;
    counter.step_per_read = 50;  // test reads 200 ms, the rate's reading 250 ms
    scene::count_frame(rate, counter);
    EXPECT_FLOAT_EQ(rate.fps, 4.0f);
}

// Frames at a steady pace, one of them followed by a stall (the counter runs
// on through standby, a debugger, a hung driver) at several points of a
// reading window: no frame after it may move further than the frames before
// it, nor re-roll the colour directions more often. Judged against the
// frames' own pace, a machine drawing a frame every two seconds is no stall.
TEST(FrameRate, AStallIsNotTurnedIntoAFrameRate) {
    struct Case {
        std::int64_t frame_ms;
        double stall;  // seconds
        int into;      // frames into a reading window (one is due every 0.2 s)
    } const cases[] = {
        {10, 1, 0},         {10, 1, 19},         {10, 60, 1},     {10, 3600, 10},
        {10, 8 * 3600, 19}, {1111, 60, 0},       {1111, 3600, 0},  // 0.9 fps
        {2000, 3600, 0},    {2000, 8 * 3600, 0},                   // 0.5 fps
        {2000, 12, 0},                                             // six of its frames
    };
    for (const Case& c : cases) {
        ScriptedCounter counter(1000);  // milliseconds
        scene::CrtRandom random(7);
        scene::FrameRate rate;
        scene::SphereState spheres[scene::kSphereCount];
        spheres[0].spin_x = 20.0f;
        spheres[0].phase_step[0] = 1.0f;
        scene::restart_frame_rate(rate, counter);
        const float steady_fps = 1000.0f / static_cast<float>(c.frame_ms);
        float largest_step = 0.0f;
        double turned = 0.0;
        for (int f = 1; f <= 300; ++f) {
            const float angle = spheres[0].angle_x;
            scene::advance_spheres(spheres, rate.fps, random);
            float step = spheres[0].angle_x - angle;
            step = step < -180.0f ? step + 360.0f : step;
            if (f <= 100) {
                largest_step = std::max(largest_step, step);
                if (f > 50)
                    turned += step;
            } else {
                EXPECT_LE(step, largest_step * 1.001f) << c.frame_ms << " ms frames, " << c.stall << " s stall";
            }
            counter.now += c.frame_ms;
            if (f == 100 + c.into)  // the frame's reading comes after the stall
                counter.now += static_cast<std::int64_t>(c.stall * 1000);
            scene::count_frame(rate, counter);
            // The rate before the stall stays: the divisor of the direction test too.
            if (f > 100) {
                EXPECT_NEAR(rate.fps, steady_fps, steady_fps * 0.005f) << c.frame_ms << " ms, frame " << f;
            }
        }
        // Twenty degrees a second, whatever the pace.
        EXPECT_NEAR(turned / (50 * c.frame_ms / 1000.0), 20.0, 0.1) << c.frame_ms << " ms frames";
    }
}

TEST(FrameRate, AnAnnouncedResumeRestartsTheReadingButKeepsTheRate) {
    ScriptedCounter counter(1000);
    scene::FrameRate rate;
    scene::restart_frame_rate(rate, counter);
    for (int f = 0; f < 40; ++f) {
        counter.now += 10;
        scene::count_frame(rate, counter);
    }
    ASSERT_FLOAT_EQ(rate.fps, 100.0f);
    counter.now += 5 * 3600 * 1000;  // standby
    scene::restart_reading(rate, counter);
    EXPECT_FLOAT_EQ(rate.fps, 100.0f);
    EXPECT_EQ(rate.frame_count, 0);
    for (int f = 0; f < 20; ++f) {
        counter.now += 20;
        scene::count_frame(rate, counter);
    }
    EXPECT_FLOAT_EQ(rate.fps, 50.0f);  // measured afresh from the resume on
}

}  // namespace
