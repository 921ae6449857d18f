// The caption zoom of the settings dialog: as it opens, a caption bar zooms
// from the mouse position out to the dialog; as it closes, from the dialog
// back into that same point (layout.h says which point it is).
#pragma once

#include <windows.h>

namespace settings_dialog {

// Takes the zoom point from the cursor, as the dialog loads (Form_Load).
void take_zoom_origin_from_cursor() noexcept;

// From the zoom point out to the window's screen rectangle.
void ZoomOpen(HWND window) noexcept;
// The mirror image: from the window's rectangle into the zoom point.
void ZoomClose(HWND window) noexcept;

}  // namespace settings_dialog
