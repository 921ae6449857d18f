#include <gtest/gtest.h>

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
    scene::SceneState state;
    state.fps = 42.0f;
    state.frame_count = 9;
    scene::restart_frame_rate(state, counter);  // at t = 0
    EXPECT_EQ(state.fps, 0.0f);
    EXPECT_EQ(state.frame_count, 0);

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
        scene::count_frame(state, counter);
        EXPECT_FLOAT_EQ(state.fps, s.fps) << "at " << s.at_ms << " ms";
        EXPECT_EQ(state.frame_count, s.count) << "at " << s.at_ms << " ms";
    }
}

TEST(FrameRate, UsesTheSecondReadingForTheRate) {
    // The rate divides by a second reading, taken after the 0.2 s test.
    ScriptedCounter counter(1000);
    scene::SceneState state;
    scene::restart_frame_rate(state, counter);
    counter.now = 200;
    counter.step_per_read = 50;  // test reads 200 ms, the rate's reading 250 ms
    scene::count_frame(state, counter);
    EXPECT_FLOAT_EQ(state.fps, 4.0f);
}

}  // namespace
