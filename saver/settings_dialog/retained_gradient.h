// A surface's persistent picture: the sine gradient of Form_Resize drawn
// once, line by line, into an off-screen bitmap, and copied to the screen at
// every paint without being worked out again.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"
#include "saver/settings_dialog/dialog_gradients.h"

namespace settings_dialog {

class RetainedGradient {
public:
    // Form_Resize for one surface of width x height pixels: one horizontal
    // line per row from (0, y) to (width, y). A surface of no height keeps
    // nothing (and shows its class background).
    void paint(HDC reference, int width, int height, GradientSurface surface) noexcept;

    // Copies the picture to `dc` at (0, 0); false when there is none.
    bool show(HDC dc) const noexcept;

private:
    win32::UniqueBitmap bitmap_;  // declared first: it outlives the DC it is selected into
    win32::MemoryDc dc_;
    int width_ = 0, height_ = 0;
};

}  // namespace settings_dialog
