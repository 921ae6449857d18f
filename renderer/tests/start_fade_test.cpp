#include "renderer/start_fade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using renderer::FadeLevels;

// White at these levels has half and a tenth of its lightness: sRGB 118.9 and
// 27.5 of 255 (CIE L* 50 and 10).
constexpr float kHalf = 0.4663f, kTenth = 0.1077f;

TEST(StartFade, LevelsAgainstTime) {
    struct Case {
        const char* what;
        double seconds;
        bool from_desktop;
        float desktop, spheres;
    } const cases[] = {
        {"first frame: the desktop as it was", 0.0, true, 1.0f, 0.0f},
        {"a clock that went back counts as the start", -0.25, true, 1.0f, 0.0f},
        {"half way to black looks half as light", 0.5, true, kHalf, 0.0f},
        {"near black", 0.9, true, kTenth, 0.0f},
        {"black, the spheres not yet up", 1.0, true, 0.0f, 0.0f},
        {"the spheres a tenth of the way", 1.2, true, 0.0f, kTenth},
        {"the spheres half way", 2.0, true, 0.0f, kHalf},
        {"the spheres up", 3.0, true, 0.0f, 1.0f},
        {"long after", 600.0, true, 0.0f, 1.0f},
        {"no capture: black at once", 0.0, false, 0.0f, 0.0f},
        {"no capture: the spheres half way", 1.0, false, 0.0f, kHalf},
        {"no capture: the spheres up", 2.0, false, 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        const FadeLevels levels = renderer::fade_levels(c.seconds, c.from_desktop);
        EXPECT_NEAR(levels.desktop, c.desktop, 5e-4) << c.what;
        EXPECT_NEAR(levels.spheres, c.spheres, 5e-4) << c.what;
    }
}

TEST(StartFade, EveryStepOfTheCurveGoesOneWay) {
    float previous = 0.0f;
    for (int i = 1; i <= 1000; ++i) {
        const float level = renderer::level_for_lightness(i / 1000.0);
        EXPECT_GT(level, previous) << i;
        previous = level;
    }
    EXPECT_EQ(renderer::level_for_lightness(0.0), 0.0f);
    EXPECT_EQ(renderer::level_for_lightness(1.0), 1.0f);
    EXPECT_EQ(renderer::level_for_lightness(7.0), 1.0f);
}

TEST(StartFade, TimedFromTheFirstFrameItDraws) {
    constexpr std::int64_t kPerSecond = 1000, kFirst = 123456;
    struct Frame {
        std::int64_t ticks;
        bool end_before;
        float desktop, spheres;
        bool running, desktop_done;
    };
    struct Case {
        const char* what;
        bool from_desktop;
        std::vector<Frame> frames;
    } const cases[] = {
        {"from the desktop",
         true,
         {{kFirst, false, 1.0f, 0.0f, true, false},
          {kFirst + 500, false, kHalf, 0.0f, true, false},
          {kFirst + 1000, false, 0.0f, 0.0f, true, true},
          {kFirst + 2000, false, 0.0f, kHalf, true, true},
          {kFirst + 3000, false, 0.0f, 1.0f, false, true},
          {kFirst + 10, false, 0.0f, 1.0f, false, true}}},  // over for good
        {"from black",
         false,
         {{kFirst, false, 0.0f, 0.0f, true, true}, {kFirst + 2000, false, 0.0f, 1.0f, false, true}}},
        {"Tab in the middle: full levels at once",
         true,
         {{kFirst, false, 1.0f, 0.0f, true, false}, {kFirst + 400, true, 0.0f, 1.0f, false, true}}},
    };
    for (const Case& c : cases) {
        renderer::StartFade fade(c.from_desktop);
        for (const Frame& f : c.frames) {
            if (f.end_before)
                fade.end();
            const FadeLevels levels = fade.frame(f.ticks, kPerSecond);
            EXPECT_NEAR(levels.desktop, f.desktop, 5e-4) << c.what << " at " << f.ticks - kFirst;
            EXPECT_NEAR(levels.spheres, f.spheres, 5e-4) << c.what << " at " << f.ticks - kFirst;
            EXPECT_EQ(fade.running(), f.running) << c.what << " at " << f.ticks - kFirst;
            EXPECT_EQ(fade.desktop_done(), f.desktop_done) << c.what << " at " << f.ticks - kFirst;
        }
    }
    const renderer::StartFade none;
    EXPECT_FALSE(none.running());
    EXPECT_TRUE(none.desktop_done());
}

}  // namespace
