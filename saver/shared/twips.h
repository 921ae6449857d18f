// Twips, the front end's layout unit: 1/1440 inch, 20 to the point. Windows
// and controls are placed in twips and drawn in pixels; the front end always
// converts at 96 dots per inch, 15 twips to the pixel, whatever the display
// reports, so every layout comes out the same pixel for pixel. Portable logic:
// no Windows header.
#pragma once

#include <cmath>

namespace shared {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerPoint = 20;

// Pixels of a twips length, to the nearest pixel (halves away from zero).
inline int pixels_from_twips(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline constexpr int twips_from_pixels(int pixels) {
    return pixels * kTwipsPerPixel;
}

// Pixels of a font size given in points (9.75 points: 13 pixels).
inline int pixels_from_points(double points) {
    return pixels_from_twips(points * kTwipsPerPoint);
}

// A control's place in its container, in twips from the container's top-left
// corner.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// The same place in pixels.
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

inline PixelRect pixels_from_twips(const TwipsRect& r) {
    return {pixels_from_twips(r.left), pixels_from_twips(r.top), pixels_from_twips(r.width),
            pixels_from_twips(r.height)};
}

}  // namespace shared
