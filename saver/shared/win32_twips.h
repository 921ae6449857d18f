// A place in twips as the RECT in pixels at `dpi` that the Windows calls take.
#pragma once

#include <windows.h>

#include "saver/shared/pixel_edges.h"

namespace shared {

inline RECT rect_of(const TwipsRect& r, int dpi) noexcept {
    const PixelEdges e = pixel_edges(r, dpi);
    return RECT{e.left, e.top, e.right, e.bottom};
}

}  // namespace shared
