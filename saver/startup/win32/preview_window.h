// The preview window "Ember_Lantern_R": a borderless black child of the
// display settings' preview box that shows the still picture from the
// top-left corner, at the size of the display's scale (preview_picture.h).
// It has no activity of its own and ends the process when the host destroys
// it.
#pragma once

#include <windows.h>

namespace startup {

// The preview set-up: runs this thread at the host's DPI awareness, creates
// the window hidden, makes it a child of `host` at (0, 0) with the size of
// the host's client area and shows it. Returns false when the window could
// not be created. The window posts WM_QUIT to this thread when it is
// destroyed.
bool set_up_preview(HINSTANCE instance, HWND host);

}  // namespace startup
