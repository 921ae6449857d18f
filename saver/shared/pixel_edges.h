// A place in pixels by its four edges, as Windows counts a RECT: the left
// column and top row inside it, the right column and bottom row outside.
// Portable logic: no Windows header; saver/shared/win32_twips.h makes a RECT
// of it.
#pragma once

#include "saver/shared/twips.h"

namespace shared {

struct PixelEdges {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The edges at `dpi` of a place given in twips. Its left, top, width and
// height are each rounded on their own, as controls are placed, so the right
// edge is the rounded left plus the rounded width.
inline PixelEdges pixel_edges(const TwipsRect& r, int dpi) {
    const PixelRect p = pixels_from_twips(r, dpi);
    return {p.left, p.top, p.left + p.width, p.top + p.height};
}

}  // namespace shared
