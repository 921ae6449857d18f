// Where a look of the push button Command comes from and goes to: the eight
// frame slices copied from a 64 x 25 state picture onto a control of any
// size, and the place of the caption element LblMsg. All lengths are twips.
#pragma once

#include <array>
#include <cstdint>

#include "saver/shared/twips.h"

namespace button {

// The state pictures: 960 x 375 twips (64 x 25 pixels), of which only the
// outer four pixels (60 twips) are ever drawn.
inline constexpr std::int16_t kPictureWidth = 960;
inline constexpr std::int16_t kPictureHeight = 375;
inline constexpr std::int16_t kCorner = 60;
inline constexpr std::int16_t kPictureMiddleWidth = kPictureWidth - 2 * kCorner;    // 840 (56 pixels)
inline constexpr std::int16_t kPictureMiddleHeight = kPictureHeight - 2 * kCorner;  // 255 (17 pixels)
inline constexpr std::int16_t kPictureRightX = kPictureWidth - kCorner;             // 900
inline constexpr std::int16_t kPictureBottomY = kCorner + kPictureMiddleHeight;     // 315
// The same in pixels, as the stored pictures are drawn.
inline constexpr int kPicturePixelWidth = kPictureWidth / shared::kDesignTwipsPerPixel;    // 64
inline constexpr int kPicturePixelHeight = kPictureHeight / shared::kDesignTwipsPerPixel;  // 25
inline constexpr int kCornerPixels = kCorner / shared::kDesignTwipsPerPixel;  // 4: the depth of the drawn frame

// The caption element: one text line of the 9.75-point design font.
inline constexpr int kCaptionHeight = 195;  // 13 pixels

// The four lengths that depend on the control's size, kept by the control
// from paint to paint in signed 16-bit twips. A control wider or higher than
// about 2188 pixels overflows them; an overflowing value is not computed and
// keeps the previous paint's (zero before the first paint), so such a control
// draws its right column or bottom row where an earlier, smaller paint put it.
struct FrameGeometry {
    std::int16_t middle_width = 0;   // W - 120
    std::int16_t right_x = 0;        // W - 60
    std::int16_t middle_height = 0;  // H - 120
    std::int16_t bottom_y = 0;       // H - 60
};

// Recomputes `geometry` for a control of outer size `width` x `height` twips
// (0 and up); each of the four values is left as it was when it does not fit.
void update_frame_geometry(FrameGeometry& geometry, long width, long height);

// One copy from the picture onto the control, stretched where the sizes differ.
struct FrameSlice {
    shared::TwipsRect from;  // in the picture
    shared::TwipsRect to;    // on the control; width or height below 1 for a
                             // control smaller than its two corners
};

// The eight slices in the order they are copied: top-left corner, top edge,
// top-right corner, right edge, bottom-right corner, bottom edge, bottom-left
// corner, left edge. The middle of the picture is never copied.
std::array<FrameSlice, 8> frame_slices(const FrameGeometry& geometry);

// Top of the caption element on a control `height` twips high:
// (height - 195 - 20) / 2, so the one-line caption sits 10 twips above the
// middle; negative (clipped at the top) on a control lower than 215 twips.
double caption_top(long height);

}  // namespace button
