// Where the push button's frame slices and caption go, and its gradient.
#include <gtest/gtest.h>

#include "saver/button/body_gradient.h"
#include "saver/button/frame_geometry.h"

namespace button {
namespace {

TEST(FrameGeometry, SlicesForTheDialogsAndTheDefaultSize) {
    const struct {
        long width, height;  // twips
        shared::TwipsRect top_edge, right_edge, bottom_right;
    } cases[] = {
        // 69 x 25 pixels: the top edge's 56-pixel middle stretched to 61; the
        // side edges' 17 pixels copied as they are.
        {1035, 375, {60, 0, 915, 60}, {975, 60, 60, 255}, {975, 315, 60, 60}},
        // 117 x 28 pixels, the default size.
        {1755, 420, {60, 0, 1635, 60}, {1695, 60, 60, 300}, {1695, 360, 60, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        FrameGeometry g;
        update_frame_geometry(g, c.width, c.height);
        const auto slices = frame_slices(g);
        auto same = [](const shared::TwipsRect& a, const shared::TwipsRect& b) {
            return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
        };
        EXPECT_TRUE(same(slices[1].to, c.top_edge));
        EXPECT_TRUE(same(slices[3].to, c.right_edge));
        EXPECT_TRUE(same(slices[4].to, c.bottom_right));
        // The picture's parts never change: its middle is never copied.
        EXPECT_TRUE(same(slices[1].from, shared::TwipsRect{60, 0, 840, 60}));
        EXPECT_TRUE(same(slices[4].from, shared::TwipsRect{900, 315, 60, 60}));
        EXPECT_TRUE(same(slices[7].from, shared::TwipsRect{0, 60, 60, 255}));
    }
}

TEST(FrameGeometry, AValueThatOverflowsSixteenBitsKeepsThePreviousPaints) {
    FrameGeometry g;
    update_frame_geometry(g, 1755, 420);
    // 2190 pixels wide: W - 60 = 32790 overflows, W - 120 = 32730 still fits.
    update_frame_geometry(g, 32850, 420);
    EXPECT_EQ(g.middle_width, 32730);
    EXPECT_EQ(g.right_x, 1695);
    // Both overflow in height; the width now fits again.
    update_frame_geometry(g, 1035, 40000);
    EXPECT_EQ(g.right_x, 975);
    EXPECT_EQ(g.middle_height, 300);
    EXPECT_EQ(g.bottom_y, 360);
}

TEST(FrameGeometry, CaptionSitsTenTwipsAboveTheMiddle) {
    EXPECT_DOUBLE_EQ(caption_top(375), 80);
    EXPECT_DOUBLE_EQ(caption_top(420), 102.5);
    EXPECT_LT(caption_top(200), 0) << "lower than the caption: clipped at the top";
}

TEST(Gradient, ColourTextsAreReadPairByPairAsWritten) {
    const struct {
        const char* text;
        bool readable;
        Channels16 channels;
    } cases[] = {
        {"&HFFFFFF", true, {0xFF00, 0xFF00, 0xFF00}},
        {"&HC6C5D7", true, {0xC600, 0xC500, 0xD700}},  // RGB (198, 197, 215), not 0x00BBGGRR
        {"&H00C5D7", true, {0xC500, 0xD700, 0}},       // written back without the leading zeros
        {"&HFFF", true, {0xFF00, 0x0F00, 0}},
        {"C6C5D7", false, {}},
        {"&HC6C5G7", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = read_colour_text(c.text);
        ASSERT_EQ(read.has_value(), c.readable);
        if (read) {
            EXPECT_EQ(*read, c.channels);
        }
    }
}

TEST(Gradient, VerticesLeaveTheLastRowAndColumnAndSwapWhenReversed) {
    GradientRecord r;
    update_gradient(r, false, 69, 25);
    EXPECT_EQ(r.vertex[0].x, 0);
    EXPECT_EQ(r.vertex[0].y, 0);
    EXPECT_EQ(r.vertex[1].x, 68);
    EXPECT_EQ(r.vertex[1].y, 24);
    EXPECT_EQ(r.upper_left, 1u);
    EXPECT_EQ(r.lower_right, 0u);
    const Channels16 white{0xFF00, 0xFF00, 0xFF00}, tint{0xC600, 0xC500, 0xD700};
    EXPECT_EQ(r.vertex[0].colour, white);
    EXPECT_EQ(r.vertex[1].colour, tint);
    update_gradient(r, true, 69, 25);
    EXPECT_EQ(r.vertex[0].colour, tint);
    EXPECT_EQ(r.vertex[1].colour, white);
}

}  // namespace
}  // namespace button
