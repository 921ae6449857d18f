#include "renderer/scene/overlay_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OverlayText, FrameRateLineIsFiveWideWithOneDecimal) {
    struct Case {
        float fps;
        const char* text;
    } const cases[] = {
        {60.0f, " 60.0 fps"},   {5.0f, "  5.0 fps"},       {0.04f, "  0.0 fps"},
        {199.96f, "200.0 fps"}, {12345.6f, "12345.6 fps"},
    };
    for (const Case& c : cases) {
        const scene::OverlayText text = scene::format_fps_text(c.fps);
        EXPECT_STREQ(text.chars, c.text);
        EXPECT_EQ(text.length, static_cast<int>(std::string(c.text).size()));
    }
}

TEST(OverlayText, LongTextIsCutAtTheBufferInsteadOfOverrunningIt) {
    struct Case {
        std::size_t length;
        int kept;
    } const cases[] = {{0, 0}, {254, 254}, {255, 255}, {256, 255}, {5000, 255}};
    for (const Case& c : cases) {
        const std::string long_text(c.length, 'x');
        const scene::OverlayText text = scene::format_overlay("%s", long_text.c_str());
        EXPECT_EQ(text.length, c.kept) << c.length;
        EXPECT_EQ(std::string(text.chars), long_text.substr(0, c.kept)) << c.length;
    }
}

TEST(OverlayText, LargestFrameRateStillFits) {
    const scene::OverlayText text = scene::format_fps_text(3.4e38f);
    EXPECT_LT(text.length, 255);
    EXPECT_EQ(std::string(text.chars).substr(text.length - 4), " fps");
}

}  // namespace
