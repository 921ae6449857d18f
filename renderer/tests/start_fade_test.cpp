#include "renderer/start_fade.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using renderer::FadeLevels;

// White at these levels has half and a tenth of its lightness: sRGB 118.9 and
// 27.5 of 255 (CIE L* 50 and 10).
constexpr float kHalf = 0.4663f, kTenth = 0.1077f;
const float kNineTenths = renderer::level_for_lightness(0.9);  // 0.1 s into the darkening

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

TEST(StartFade, FrameByFrameFromTheFirstFrameItDraws) {
    constexpr std::int64_t kPerSecond = 1000, kFirst = 123456;  // counter readings in ms, from any start
    struct Expect {
        std::int64_t ms;  // after the first frame
        float desktop, spheres;
        bool running, desktop_done;
    };
    struct Case {
        const char* what;
        bool from_desktop;
        std::int64_t stall_ms;  // the second frame's time
        std::int64_t step_ms;   // then frames this far apart
        std::vector<Expect> expects;
    } const cases[] = {
        {"from the desktop at 20 frames a second",
         true,
         50,
         50,
         {{0, 1.0f, 0.0f, true, false},
          {500, kHalf, 0.0f, true, false},
          {1000, 0.0f, 0.0f, true, true},
          {2000, 0.0f, kHalf, true, true},
          {3000, 0.0f, 1.0f, false, true},
          {3050, 0.0f, 1.0f, false, true}}},
        {"from black", false, 50, 50, {{0, 0.0f, 0.0f, true, true}, {2000, 0.0f, 1.0f, false, true}}},
        {"a slow first frame moves the fade on by a tenth of a second",
         true,
         900,
         100,
         {{900, kNineTenths, 0.0f, true, false}, {1300, kHalf, 0.0f, true, false}}},
        {"at a frame a second, a tenth of a second a frame", false, 1000, 1000, {{10000, 0.0f, kHalf, true, true}}},
    };
    for (const Case& c : cases) {
        renderer::StartFade fade(c.from_desktop);
        std::size_t next = 0;
        for (std::int64_t ms = 0; next < c.expects.size(); ms = ms == 0 ? c.stall_ms : ms + c.step_ms) {
            const FadeLevels levels = fade.frame(kFirst + ms, kPerSecond);
            const Expect& e = c.expects[next];
            if (ms != e.ms)
                continue;
            ++next;
            EXPECT_NEAR(levels.desktop, e.desktop, 5e-4) << c.what << " at " << ms;
            EXPECT_NEAR(levels.spheres, e.spheres, 5e-4) << c.what << " at " << ms;
            EXPECT_EQ(fade.running(), e.running) << c.what << " at " << ms;
            EXPECT_EQ(fade.desktop_done(), e.desktop_done) << c.what << " at " << ms;
        }
    }
}

TEST(StartFade, EndedFullLevelsAtOnce) {
    renderer::StartFade fade(true);
    fade.frame(0, 1000);
    fade.end();  // Tab, a display change
    const FadeLevels levels = fade.frame(400, 1000);
    EXPECT_EQ(levels.desktop, 0.0f);
    EXPECT_EQ(levels.spheres, 1.0f);
    EXPECT_TRUE(fade.desktop_done());
    EXPECT_FALSE(renderer::StartFade().running());
}

TEST(StartFade, FromTheDesktopOnlyWhereItIsTheInputDesktop) {
    const struct Case {
        std::optional<std::string> own, input;
        bool fades;
    } cases[] = {
        {"Default", "Default", true},        // the Test button, /s from a command line
        {"Default", "default", true},        // names compare without case
        {"Screen-saver", "Default", false},  // the idle timeout's own desktop
        {"Default", "Winlogon", false},      // the lock screen or an elevation prompt has the input
        {"Default", std::nullopt, false},    // the input desktop cannot be opened
        {std::nullopt, "Default", false},   {"", "", false}, {"Default", "Default2", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::fades_from_desktop(c.own, c.input), c.fades)
            << c.own.value_or("(none)") << " / " << c.input.value_or("(none)");
}

}  // namespace
