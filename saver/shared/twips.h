// Twips, the front end's layout unit: 1/1440 inch, 20 to the point. Windows
// and controls are placed in twips and drawn in pixels of the display they
// are on, at its dots per inch: 15 twips to the pixel at 96 dpi (100 %), 12
// at 120, 10 at 144, 7.5 at 192. A twips length is a physical length, so a
// dialog laid out this way keeps its size in inches on every display and is
// drawn at the display's own resolution, sharp.
#pragma once

#include <cmath>

#include "common/pixel_rect.h"

namespace shared {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPoint = 20;
// The dots per inch the layout was designed at, and at which the stored
// pictures (button states, marks) hold one pixel per 15 twips.
inline constexpr int kDesignDpi = 96;
inline constexpr int kDesignTwipsPerPixel = kTwipsPerInch / kDesignDpi;

// Pixels of a twips length at `dpi`, to the nearest pixel (halves away from
// zero). At 96 dpi this is exactly twips / 15.
inline int pixels_from_twips(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

// Twips of a pixel length at `dpi`, to the nearest twip (7.5 to the pixel at
// 192 dpi leaves halves).
inline int twips_from_pixels(int pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * kTwipsPerInch / dpi));
}

// Pixels of a font size given in points (9.75 points: 13 pixels at 96 dpi,
// 20 at 144).
inline int pixels_from_points(double points, int dpi) {
    return pixels_from_twips(points * kTwipsPerPoint, dpi);
}

// A length drawn in whole pixels at 96 dpi (an inset, a list's height), the
// same physical length at `dpi`.
inline int scaled_pixels(int design_pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(design_pixels) * dpi / kDesignDpi));
}

// A control's place in its container, in twips from the container's top-left
// corner.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// The same place in pixels at `dpi`. Its left, top, width and height are
// each rounded on their own, as controls are placed, so the right edge is the
// rounded left plus the rounded width.
inline common::PixelRect pixels_from_twips(const TwipsRect& r, int dpi) {
    const int left = pixels_from_twips(r.left, dpi), top = pixels_from_twips(r.top, dpi);
    return {left, top, left + pixels_from_twips(r.width, dpi), top + pixels_from_twips(r.height, dpi)};
}

}  // namespace shared
