// The scene driven as the renderer drives it, for hours and days of
// simulated time: a steady frame rate read from a 10 MHz counter, the
// frame-rate measurement, and the animation step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "renderer/scene/scene_state.h"
#include "renderer/tests/scripted.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr double kTwoPi = 6.283185307179586;

// Never divides the direction test's divisor, so every phase keeps its step.
class NoChanges final : public scene::RandomSource {
public:
    int next() override { return 1; }
};

// The motion of one frame, from before to after, taken the short way round
// (each frame's step is far less than half a period).
double turned(double before, double after, double period) {
    return std::remainder(after - before, period);
}

scene::Picture moving_picture() {
    scene::Picture picture;
    for (scene::SphereState& sphere : picture.spheres) {
        for (int c = 0; c < scene::kChannelCount; ++c) {
            sphere.colour_phase[c] = 0.5f + c;
            sphere.phase_step[c] = c == 1 ? -1.0f : 1.0f;
        }
        sphere.angle_x = 10.0f;
        sphere.angle_y = 350.0f;
        sphere.spin_x = 20.0f;
        sphere.spin_y = -20.0f;
    }
    return picture;
}

TEST(LongRun, KeepsTwentyDegreesAndOneRadianPerSecondForDaysAtAnyFrameRate) {
    // A single-precision angle that keeps growing is more than 5 % off its
    // speed after 7.2 h at 60 fps, 3.6 h at 144, 56 min at 1000 and 13 min at
    // 3000 (and stops turning later). Each row runs at least twice as long.
    // A machine that draws under one frame a second (software OpenGL on a
    // large screen, a virtual machine) turns at the same speed.
    struct Case {
        double fps;
        double hours;
    } const cases[] = {{60, 48}, {144, 8}, {1000, 1.5}, {3000, 0.5}, {0.9, 1}, {0.5, 1}};
    constexpr double kMeasuredSeconds = 60;
    for (const Case& c : cases) {
        scene_test::ScriptedCounter counter(kTicksPerSecond);
        NoChanges random;
        scene::Picture picture = moving_picture();
        scene::FrameRate rate;
        scene::restart_frame_rate(rate, counter);
        const std::int64_t frames = static_cast<std::int64_t>(c.hours * 3600 * c.fps);
        const std::int64_t measured_from = frames - static_cast<std::int64_t>(kMeasuredSeconds * c.fps);
        double angle_x = 0, angle_y = 0, phase_up = 0, phase_down = 0;
        bool in_range = true;
        for (std::int64_t f = 1; f <= frames; ++f) {
            const scene::SphereState before = picture.spheres[1];
            scene::advance_spheres(picture.spheres, rate.fps, random);
            counter.now = static_cast<std::int64_t>(f * kTicksPerSecond / c.fps);
            scene::count_frame(rate, counter);
            if (f <= measured_from)
                continue;
            const scene::SphereState& after = picture.spheres[1];
            angle_x += turned(before.angle_x, after.angle_x, 360);
            angle_y += turned(before.angle_y, after.angle_y, 360);
            phase_up += turned(before.colour_phase[0], after.colour_phase[0], kTwoPi);
            phase_down += turned(before.colour_phase[1], after.colour_phase[1], kTwoPi);
            in_range = in_range && after.angle_x >= 0 && after.angle_x < 360 && after.colour_phase[0] >= 0 &&
                       after.colour_phase[0] < kTwoPi;
        }
        EXPECT_NEAR(angle_x / kMeasuredSeconds, 20.0, 0.2) << c.fps << " fps after " << c.hours << " h";
        EXPECT_NEAR(angle_y / kMeasuredSeconds, -20.0, 0.2) << c.fps << " fps after " << c.hours << " h";
        EXPECT_NEAR(phase_up / kMeasuredSeconds, 1.0, 0.01) << c.fps << " fps after " << c.hours << " h";
        EXPECT_NEAR(phase_down / kMeasuredSeconds, -1.0, 0.01) << c.fps << " fps after " << c.hours << " h";
        EXPECT_TRUE(in_range) << c.fps;
    }
}

TEST(LongRun, WrapsIntoOnePeriodWithoutChangingThePicture) {
    const struct {
        float value;
        double period;
        float wrapped;
    } cases[] = {
        {0.0f, 360, 0.0f},      {359.5f, 360, 359.5f},  {360.0f, 360, 0.0f},     {370.25f, 360, 10.25f},
        {-0.25f, 360, 359.75f}, {-720.5f, 360, 359.5f}, {131072.5f, 360, 32.5f}, {6.2831855f, kTwoPi, 0.0f},
        {-1e-9f, kTwoPi, 0.0f},  // just below 0 would round up to the period itself
    };
    for (const auto& c : cases) {
        const float w = scene::wrap_to_period(c.value, c.period);
        EXPECT_NEAR(w, c.wrapped, 1e-6) << c.value;
        EXPECT_GE(w, 0.0f);
        EXPECT_LT(w, c.period);
    }
}

}  // namespace
