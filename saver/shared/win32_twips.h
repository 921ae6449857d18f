// A place in twips as the RECT in pixels that the Windows calls take.
#pragma once

#include <windows.h>

#include "saver/shared/pixel_edges.h"

namespace shared {

inline RECT rect_of(const TwipsRect& r) noexcept {
    const PixelEdges e = pixel_edges(r);
    return RECT{e.left, e.top, e.right, e.bottom};
}

}  // namespace shared
