// The preview's still picture and the sizes it is shown at. Its 152 x 112
// pixels are pixels at 96 dpi, the size of the display settings'
// standard preview box there; on a scaled display the box grows with the
// scale (228 x 168 at 150 %), and the still is drawn at that size, reduced
// from a stored still twice as large so that it stays sharp.
#pragma once

#include "saver/shared/twips.h"

namespace shared {

inline constexpr int kPreviewStillWidth = 152;
inline constexpr int kPreviewStillHeight = 112;
// The larger stored still, in pixels at 96 dpi: scales up to 200 % are drawn
// by reducing it, never by enlarging the 152 x 112 one.
inline constexpr int kLargeStillScale = 2;

struct StillSize {
    int width = 0, height = 0;
    bool operator==(const StillSize& other) const { return width == other.width && height == other.height; }
};

// The still's size on a display of `dpi` dots per inch.
inline StillSize preview_still_size(int dpi) {
    return {scaled_pixels(kPreviewStillWidth, dpi), scaled_pixels(kPreviewStillHeight, dpi)};
}

}  // namespace shared
