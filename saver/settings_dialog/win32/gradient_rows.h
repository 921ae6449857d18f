// The persistent picture of the dialog and of its music panel: the sine
// gradient of Form_Resize drawn once, line by line, into a retained surface
// that every paint copies without working it out again.
#pragma once

#include <windows.h>

#include "common/win32/retained_surface.h"
#include "saver/settings_dialog/gradient_rows.h"

namespace settings_dialog {

// Form_Resize for one surface of `width` x `height` pixels: one horizontal
// line per row from (0, y) to (width, y), into `picture`. A surface of no
// height keeps no picture.
void retain_gradient(win32::RetainedSurface& picture, int width, int height, GradientSurface surface) noexcept;

// What the dialog and the panel show: their picture, or while they have none,
// the light grey (RGB 192, 192, 192) of their class background over the
// client area of `window`.
void show_gradient(HDC dc, HWND window, const win32::RetainedSurface& picture) noexcept;

}  // namespace settings_dialog
