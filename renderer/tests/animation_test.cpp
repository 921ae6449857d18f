#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "renderer/scene/scene_state.h"
#include "renderer/tests/scripted.h"

namespace {

using scene_test::ScriptedRandom;

constexpr double kPi = 3.14159265358979323846;

TEST(SceneStart, DrawsTenNumbersPerSphereInTheirOrder) {
    // Per sphere: (phase step, colour phase) for red, green, blue; then
    // angle_x, angle_y, spin_x, spin_y.
    ScriptedRandom random({1, 32767, 2, 0, 3, 16384, 32767, 8192,  4,  5,  //
                           0, 1,     7, 2, 9, 3,     0,     32767, 11, 6});
    scene::SphereState spheres[scene::kSphereCount];
    scene::draw_start_values(spheres, random);
    EXPECT_EQ(random.used(), 20u);

    const scene::SphereState& a = spheres[0];
    EXPECT_EQ(a.phase_step[0], 1.0f);
    EXPECT_EQ(a.phase_step[1], -1.0f);
    EXPECT_EQ(a.phase_step[2], 1.0f);
    EXPECT_FLOAT_EQ(a.colour_phase[0], 6.2831855f);
    EXPECT_EQ(a.colour_phase[1], 0.0f);
    EXPECT_FLOAT_EQ(a.colour_phase[2], static_cast<float>(16384 * 6.2831855 / 32767));
    EXPECT_FLOAT_EQ(a.angle_x, 360.0f);
    EXPECT_FLOAT_EQ(a.angle_y, static_cast<float>(8192 * 360.0 / 32767));
    EXPECT_EQ(a.spin_x, -20.0f);
    EXPECT_EQ(a.spin_y, 20.0f);

    const scene::SphereState& b = spheres[1];
    EXPECT_EQ(b.phase_step[0], -1.0f);
    EXPECT_EQ(b.phase_step[1], 1.0f);
    EXPECT_EQ(b.phase_step[2], 1.0f);
    EXPECT_FLOAT_EQ(b.colour_phase[0], static_cast<float>(1 * 6.2831855 / 32767));
    EXPECT_FLOAT_EQ(b.colour_phase[1], static_cast<float>(2 * 6.2831855 / 32767));
    EXPECT_FLOAT_EQ(b.colour_phase[2], static_cast<float>(3 * 6.2831855 / 32767));
    EXPECT_EQ(b.angle_x, 0.0f);
    EXPECT_FLOAT_EQ(b.angle_y, 360.0f);
    EXPECT_EQ(b.spin_x, 20.0f);
    EXPECT_EQ(b.spin_y, -20.0f);
}

// A run's picture draws its start values from its own stream, seeded as the
// runtime's srand seeds rand; the measurement starts unmeasured, the text on.
TEST(SceneStart, APictureStartsFromItsOwnSeededStream) {
    for (std::uint32_t seed : {0u, 1u, 1700000000u}) {
        const scene::Picture picture = scene::gl_data(seed);
        scene::CrtRandom random(seed);
        scene::SphereState expected[scene::kSphereCount];
        scene::draw_start_values(expected, random);
        for (int s = 0; s < scene::kSphereCount; ++s) {
            EXPECT_EQ(picture.spheres[s].angle_x, expected[s].angle_x) << seed;
            EXPECT_EQ(picture.spheres[s].colour_phase[2], expected[s].colour_phase[2]) << seed;
        }
        scene::CrtRandom after_start(seed);
        for (int n = 0; n < 20; ++n)
            after_start.next();
        scene::Picture copy = picture;
        EXPECT_EQ(copy.random.next(), after_start.next()) << "the stream goes on after the start values";
    }
    const scene::FrameRate rate;
    EXPECT_TRUE(rate.show_fps);
    EXPECT_EQ(rate.fps, 0.0f);
    EXPECT_EQ(rate.frame_count, 0);
}

// A pair of spheres moving at a known frame rate.
struct Spheres {
    scene::SphereState spheres[scene::kSphereCount];
    float fps = 0.0f;
};

Spheres known_state(float fps) {
    Spheres state;
    for (int s = 0; s < scene::kSphereCount; ++s) {
        scene::SphereState& sphere = state.spheres[s];
        for (int c = 0; c < scene::kChannelCount; ++c) {
            sphere.colour_phase[c] = 1.0f + c;
            sphere.phase_step[c] = (c == 1) ? -1.0f : 1.0f;
        }
        sphere.angle_x = 10.0f;
        sphere.angle_y = 100.0f;
        sphere.spin_x = s == 0 ? 20.0f : -20.0f;
        sphere.spin_y = s == 0 ? -20.0f : 20.0f;
    }
    state.fps = fps;
    return state;
}

TEST(AnimationStep, DivisorIsEightTimesTheFrameRateAndNeverZero) {
    struct Case {
        float fps;
        int divisor;
    } const cases[] = {
        {0.0f, 1},    {0.1f, 1},        {0.124f, 1},
        {0.125f, 1},  {0.25f, 2},       {7.9f, 63},
        {60.0f, 480}, {1e10f, INT_MAX}, {std::numeric_limits<float>::quiet_NaN(), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scene::direction_change_divisor(c.fps), c.divisor) << "fps " << c.fps;
}

TEST(AnimationStep, NothingMovesOrIsDrawnWhileTheFrameRateIsZero) {
    Spheres state = known_state(0.0f);
    const Spheres before = state;
    ScriptedRandom random({});
    scene::advance_spheres(state.spheres, state.fps, random);
    EXPECT_EQ(random.used(), 0u);
    for (int s = 0; s < scene::kSphereCount; ++s) {
        EXPECT_EQ(state.spheres[s].angle_x, before.spheres[s].angle_x);
        EXPECT_EQ(state.spheres[s].angle_y, before.spheres[s].angle_y);
        for (int c = 0; c < scene::kChannelCount; ++c)
            EXPECT_EQ(state.spheres[s].colour_phase[c], before.spheres[s].colour_phase[c]);
    }
}

// One frame at 10 frames per second (divisor 80) with scripted draws.
TEST(AnimationStep, ChangesDirectionOnlyWhenTheDrawDividesEvenly) {
    struct Case {
        const char* name;
        std::vector<int> draws;  // as drawn, in order
        float steps[2][3];       // phase steps after the frame
    } const cases[] = {
        {"no draw divides", {1, 79, 81, 1, 2, 3}, {{1, -1, 1}, {1, -1, 1}}},
        {"zero divides: step from the next draw",
         {0, 0, 1, 1, 1, 1, 1},  // sphere 0 red: 0 % 80 == 0, then 0 % 3 - 1 = -1
         {{-1, -1, 1}, {1, -1, 1}}},
        {"each new step value",
         {160, 1, 80, 2, 240, 3, 1, 1, 32720, 4},  // -> 0, +1, -1 for sphere 0; sphere 1 blue -> 0
         {{0, 1, -1}, {1, -1, 0}}},
    };
    for (const Case& c : cases) {
        Spheres state = known_state(10.0f);
        const Spheres before = state;
        ScriptedRandom random(c.draws);
        scene::advance_spheres(state.spheres, state.fps, random);
        EXPECT_EQ(random.used(), c.draws.size()) << c.name;
        for (int s = 0; s < 2; ++s) {
            const scene::SphereState& sphere = state.spheres[s];
            for (int ch = 0; ch < 3; ++ch) {
                EXPECT_EQ(sphere.phase_step[ch], c.steps[s][ch]) << c.name << " sphere " << s << " channel " << ch;
                // The new step already applies to this frame.
                EXPECT_FLOAT_EQ(sphere.colour_phase[ch], before.spheres[s].colour_phase[ch] + c.steps[s][ch] / 10.0f)
                    << c.name;
            }
            EXPECT_FLOAT_EQ(sphere.angle_x, before.spheres[s].angle_x + before.spheres[s].spin_x / 10.0f);
            EXPECT_FLOAT_EQ(sphere.angle_y, before.spheres[s].angle_y + before.spheres[s].spin_y / 10.0f);
        }
    }
}

TEST(AnimationStep, BelowAnEighthFramePerSecondEveryChannelChangesEveryFrame) {
    Spheres state = known_state(0.1f);
    // Every test draw divides by 1, so each channel draws a new step: all 0 here.
    ScriptedRandom random({5, 1, 5, 1, 5, 1, 5, 1, 5, 1, 5, 1});
    const Spheres before = state;
    scene::advance_spheres(state.spheres, state.fps, random);
    EXPECT_EQ(random.used(), 12u);
    for (int s = 0; s < 2; ++s) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(state.spheres[s].phase_step[c], 0.0f);
            EXPECT_EQ(state.spheres[s].colour_phase[c], before.spheres[s].colour_phase[c]);
        }
        // Ten seconds' worth of turn in one frame at 0.1 frames per second (10 + 200 or 10 - 200 + 360).
        EXPECT_FLOAT_EQ(state.spheres[s].angle_x, s == 0 ? 210.0f : 170.0f);
    }
}

TEST(AnimationStep, TurnsTwentyDegreesAndOneRadianPerSecondAtAnySteadyRate) {
    for (float fps : {7.0f, 60.0f, 240.0f}) {
        Spheres state = known_state(fps);
        const Spheres before = state;
        const int frames = static_cast<int>(fps);
        ScriptedRandom random(std::vector<int>(static_cast<std::size_t>(frames) * 6, 1));  // never a change
        for (int f = 0; f < frames; ++f)
            scene::advance_spheres(state.spheres, state.fps, random);
        // Angles and phases are kept within one period: compare the motion the short way round.
        const auto turned = [](double after, double before, double period) {
            return std::remainder(after - before, period);
        };
        for (int s = 0; s < 2; ++s) {
            const scene::SphereState& b = before.spheres[s];
            EXPECT_NEAR(turned(state.spheres[s].angle_x, b.angle_x, 360), b.spin_x, 2e-3) << fps;
            EXPECT_NEAR(turned(state.spheres[s].angle_y, b.angle_y, 360), b.spin_y, 2e-3) << fps;
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(turned(state.spheres[s].colour_phase[c], b.colour_phase[c], 2 * kPi), b.phase_step[c], 1e-4)
                    << fps;
        }
    }
}

// Counts the draws of the real generator.
class CountingRandom final : public scene::RandomSource {
public:
    explicit CountingRandom(std::uint32_t seed) : random_(seed) {}
    int next() override {
        ++draws;
        return random_.next();
    }
    long draws = 0;

private:
    scene::CrtRandom random_;
};

TEST(AnimationStep, ChangesDirectionAboutOnceEveryEightSecondsPerChannel) {
    for (float fps : {30.0f, 60.0f, 200.0f}) {
        Spheres state = known_state(fps);
        CountingRandom random(12345);
        const long seconds = 4000;
        const long frames = static_cast<long>(fps) * seconds;
        for (long f = 0; f < frames; ++f)
            scene::advance_spheres(state.spheres, state.fps, random);
        // Six test draws per frame; every change draws once more.
        const long changes = random.draws - 6 * frames;
        const double expected = 6.0 * seconds / 8.0;  // 3000
        EXPECT_NEAR(changes, expected, expected * 0.1) << "fps " << fps;
    }
}

TEST(SphereColour, IsTheSquareOfOnePlusSineHalved) {
    struct Case {
        double phase;
        float intensity;
    } const cases[] = {
        {-kPi / 2, 0.0f},   // dark
        {0.0, 0.5f},        //
        {kPi / 6, 1.125f},  // above 1: GL shows full intensity
        {kPi / 2, 2.0f},    // brightest value handed to GL
        {2 * kPi + kPi / 2, 2.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(scene::channel_intensity(static_cast<float>(c.phase)), c.intensity, 1e-6) << c.phase;
}

TEST(FramePlan, CarriesColoursAnglesAndTheFrameRateTextWhenShown) {
    // Colours of the phases 1, 2 and 3 radians, and at 60 frames per second
    // of those one frame on (steps +1, -1, +1 radian per second).
    struct Case {
        float fps;
        bool show_fps;
        bool text;
        float red, green, blue;
    } const cases[] = {
        {0.0f, true, false, 1.695508f, 1.822708f, 0.651077f},
        {60.0f, false, false, 1.711914f, 1.835732f, 0.632364f},
        {60.0f, true, true, 1.711914f, 1.835732f, 0.632364f},
    };
    for (const Case& c : cases) {
        Spheres state = known_state(c.fps);
        scene::FrameRate rate;
        rate.fps = c.fps;
        rate.show_fps = c.show_fps;
        ScriptedRandom random(std::vector<int>(c.fps == 0.0f ? 0 : 6, 1));
        scene::advance_spheres(state.spheres, state.fps, random);
        scene::SphereDraw spheres[scene::kSphereCount];
        scene::plan_spheres(state.spheres, spheres);
        for (int s = 0; s < 2; ++s) {
            // 10 and 100 degrees, turned by one frame at +-20 degrees per second.
            const float turn = c.fps == 0.0f ? 0.0f : 20.0f / 60.0f;
            EXPECT_NEAR(spheres[s].angle_x, s == 0 ? 10.0f + turn : 10.0f - turn, 1e-4);
            EXPECT_NEAR(spheres[s].angle_y, s == 0 ? 100.0f - turn : 100.0f + turn, 1e-4);
            EXPECT_NEAR(spheres[s].red, c.red, 1e-5);
            EXPECT_NEAR(spheres[s].green, c.green, 1e-5);
            EXPECT_NEAR(spheres[s].blue, c.blue, 1e-5);
        }
        const scene::FrameRateText text = scene::plan_fps_text(rate, 1280, 1024);
        EXPECT_EQ(text.show, c.text) << c.fps << " " << c.show_fps;
        if (c.text) {
            EXPECT_EQ(text.x, 1280 - 114);
            EXPECT_EQ(text.y, 1024 - 40);
            EXPECT_STREQ(text.text.chars, " 60.0 fps");
        }
    }
}

}  // namespace
