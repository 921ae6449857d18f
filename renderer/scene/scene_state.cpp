#include "renderer/scene/scene_state.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace scene {
namespace {

constexpr double kTwoPi = static_cast<double>(6.2831855f);  // 2 pi as the single-precision constant
constexpr double kFullTurn = 360.0;                         // degrees
constexpr double kPhasePeriod = 6.283185307179586;          // 2 pi, for wrapping
constexpr float kSpinRate = 20.0f;                          // degrees per second
constexpr float kMeasureInterval = 0.2f;                    // seconds between frame-rate readings

float random_sign(RandomSource& random) {
    return static_cast<float>(2 * (random.next() % 2) - 1);
}

float random_fraction_of(RandomSource& random, double full) {
    return static_cast<float>(random.next() * full / kRandMax);
}

}  // namespace

Picture gl_data(std::uint32_t seed) {
    Picture picture;
    picture.random.seed(seed);
    draw_start_values(picture.spheres, picture.random);
    return picture;
}

void draw_start_values(SphereState (&spheres)[kSphereCount], RandomSource& random) {
    for (SphereState& sphere : spheres) {
        for (int c = 0; c < kChannelCount; ++c) {
            sphere.phase_step[c] = random_sign(random);
            sphere.colour_phase[c] = random_fraction_of(random, kTwoPi);
        }
        sphere.angle_x = random_fraction_of(random, 360.0);
        sphere.angle_y = random_fraction_of(random, 360.0);
        sphere.spin_x = random_sign(random) * kSpinRate;
        sphere.spin_y = random_sign(random) * kSpinRate;
    }
}

int direction_change_divisor(float fps) {
    const float scaled = fps * 8.0f;
    if (!(scaled >= 1.0f))
        return 1;
    if (scaled >= static_cast<float>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(scaled);
}

void advance_spheres(SphereState (&spheres)[kSphereCount], float fps, RandomSource& random) {
    if (fps == 0.0f)
        return;
    // A change with probability 1 / (8 fps) per frame: once in eight seconds on average.
    const int divisor = direction_change_divisor(fps);
    for (SphereState& sphere : spheres) {
        for (int c = 0; c < kChannelCount; ++c) {
            if (random.next() % divisor == 0)
                sphere.phase_step[c] = static_cast<float>(random.next() % 3 - 1);
            sphere.colour_phase[c] += sphere.phase_step[c] / fps;
            sphere.colour_phase[c] = wrap_to_period(sphere.colour_phase[c], kPhasePeriod);
        }
        sphere.angle_x = wrap_to_period(sphere.angle_x + sphere.spin_x / fps, kFullTurn);
        sphere.angle_y = wrap_to_period(sphere.angle_y + sphere.spin_y / fps, kFullTurn);
    }
}

float wrap_to_period(float value, double period) {
    if (value >= 0.0f && value < period)
        return value;
    double wrapped = std::fmod(static_cast<double>(value), period);
    if (wrapped < 0.0)
        wrapped += period;
    const float result = static_cast<float>(wrapped);
    // Just below the period, rounding to single precision can reach it.
    return result < period ? result : 0.0f;
}

float channel_intensity(float colour_phase) {
    return static_cast<float>(channel_brightness(static_cast<double>(colour_phase)));
}

double channel_brightness(double colour_phase) {
    const double lift = std::sin(colour_phase) + 1.0;
    return lift * lift / 2.0;
}

void restart_frame_rate(FrameRate& rate, TickCounter& counter) {
    rate.fps = 0.0f;
    restart_reading(rate, counter);
}

void restart_reading(FrameRate& rate, TickCounter& counter) {
    rate.frame_count = 0;
    rate.last_count_at = 0.0f;
    stopwatch_elapsed(rate.fps_timer, true, counter);
}

bool spans_stall(float frame_seconds, float pace_seconds) {
    const float limit = std::max(kStalledReading, kStallPaces * pace_seconds);
    return frame_seconds > limit;
}

void count_frame(FrameRate& rate, TickCounter& counter) {
    rate.frame_count += 1;
    const float elapsed = stopwatch_elapsed(rate.fps_timer, false, counter);
    const float frame_seconds = elapsed - rate.last_count_at;
    const float pace = rate.fps > 0.0f ? 1.0f / rate.fps : rate.frame_seconds;
    const bool stalled = spans_stall(frame_seconds, pace);
    // With no pace known, the first frame's time becomes it even when judged
    // a stall: otherwise a machine slower than one frame a second never moves.
    if (!stalled || pace == 0.0f)
        rate.frame_seconds = frame_seconds;
    if (stalled) {
        restart_reading(rate, counter);
        return;
    }
    rate.last_count_at = elapsed;
    if (elapsed >= kMeasureInterval) {
        const float seconds = stopwatch_elapsed(rate.fps_timer, true, counter);
        rate.last_count_at = 0.0f;
        // The second reading may itself end a stall that began after the first.
        if (!spans_stall(seconds - elapsed, pace))
            rate.fps = static_cast<float>(rate.frame_count) / seconds;
        rate.frame_count = 0;
    }
}

void plan_spheres(const SphereState (&spheres)[kSphereCount], SphereDraw (&draws)[kSphereCount]) {
    for (int s = 0; s < kSphereCount; ++s) {
        const SphereState& sphere = spheres[s];
        SphereDraw& draw = draws[s];
        draw.red = channel_intensity(sphere.colour_phase[0]);
        draw.green = channel_intensity(sphere.colour_phase[1]);
        draw.blue = channel_intensity(sphere.colour_phase[2]);
        draw.angle_x = sphere.angle_x;
        draw.angle_y = sphere.angle_y;
    }
}

FrameRateText plan_fps_text(const FrameRate& rate, int width, int height) {
    FrameRateText text;
    if (rate.fps != 0.0f && rate.show_fps) {
        text.show = true;
        text.x = width - kTextFromRight;
        text.y = height - kTextFromTop;
        text.text = format_fps_text(rate.fps);
    }
    return text;
}

}  // namespace scene
