// The caption-zoom animation the settings dialog plays when it opens and
// closes, and the point it zooms from and back to.
#pragma once

#include <windows.h>

#include "saver/settings_dialog/dialog_logic.h"

namespace settings_dialog {

// Screen point, in pixels, the zoom animation starts from and returns to;
// set by the settings dialog from the cursor position, (0, 0) until then.
extern ZoomPoint ZoomOrigin;

// A caption bar zooms from ZoomOrigin out to the window's screen rectangle.
void ZoomOpen(HWND window);
// The mirror image: from the window's rectangle into ZoomOrigin.
void ZoomClose(HWND window);

}  // namespace settings_dialog
