// The preview's still picture: stored as JPEG resources, made at the size of
// the display it is shown on, and drawn unscaled from the top-left corner on
// black, into any DC.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"

namespace startup {

// Decodes the JPEG stored as RCDATA `resource_id` of `module` into a bitmap
// the caller owns; nullptr when it is missing or cannot be decoded.
HBITMAP load_jpeg_resource(HINSTANCE module, int resource_id);

// The still of `module` at `dpi` dots per inch (shared/preview_still.h): the
// stored 152 x 112 picture itself at 96, the larger one reduced to the scaled
// size elsewhere. Null when neither can be had.
win32::UniqueBitmap preview_picture(HINSTANCE module, int dpi);

// Draws the preview into any DC of `width` x `height` pixels: the picture
// unscaled at (0, 0), black everywhere else. `picture` may be nullptr (all black).
void paint_preview(HDC dc, int width, int height, HBITMAP picture);

}  // namespace startup
