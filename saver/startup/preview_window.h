// The preview window "Ember_Lantern_R": a borderless black child of the
// display settings' preview box that shows the stored picture at its own size
// from the top-left corner. It has no activity of its own and ends the
// process when the host destroys it.
#pragma once

#include <windows.h>

namespace startup {

// Decodes the JPEG stored as RCDATA `resource_id` of `module` into a bitmap
// the caller owns; nullptr when it is missing or cannot be decoded.
HBITMAP load_jpeg_resource(HINSTANCE module, int resource_id);

// Draws the preview into any DC of `width` x `height` pixels: the picture
// unscaled at (0, 0), black everywhere else. `picture` may be nullptr (all black).
void paint_preview(HDC dc, int width, int height, HBITMAP picture);

// The preview set-up: reads the host's outer size, creates the window hidden,
// makes it a child of `host` at (0, 0) with that size and shows it. Returns
// false when the window could not be created. The window posts WM_QUIT to
// this thread when it is destroyed.
bool set_up_preview(HINSTANCE instance, HWND host);

}  // namespace startup
