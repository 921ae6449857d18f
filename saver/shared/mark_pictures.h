// The settings dialog's two marks (clear and chosen): an empty light square
// with a grey frame, and the same frame filled with blue. At 96 dpi they are
// the stored 12-pixel pictures, drawn by the picture generator from the rule
// below; at other scales the music panel draws them from the same rule at
// their size on that display, so they stay sharp.
#pragma once

#include <cstdint>

#include "saver/shared/twips.h"

namespace shared {

inline constexpr int kMarkPicturePixels = 12;

// The side of a mark in pixels at `dpi` (15 at 120, 18 at 144, 24 at 192).
inline int mark_pixels(int dpi) {
    return scaled_pixels(kMarkPicturePixels, dpi);
}

// The colour, as 0xRRGGBB, of pixel (x, y) of a mark `size` pixels square.
// The frame is one pixel deep up to 17 pixels and grows with the mark.
inline std::uint32_t mark_colour(int size, int x, int y, bool chosen) {
    const int frame = size < 18 ? 1 : (size + 6) / 12;
    const bool edge = x < frame || y < frame || x >= size - frame || y >= size - frame;
    if (edge)
        return 0x808080;
    return chosen ? 0x2F5FC0 : 0xF4F4F4;
}

}  // namespace shared
