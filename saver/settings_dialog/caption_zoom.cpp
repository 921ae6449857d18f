#include "saver/settings_dialog/caption_zoom.h"

#include "common/win32/geometry.h"

namespace settings_dialog {

ZoomPoint ZoomOrigin;

namespace {

RECT origin_rect() {
    return RECT{ZoomOrigin.x, ZoomOrigin.y, ZoomOrigin.x, ZoomOrigin.y};
}

}  // namespace

void ZoomOpen(HWND window) {
    const RECT to = win32::window_rect(window);
    const RECT from = origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) {
    const RECT from = win32::window_rect(window);
    const RECT to = origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace settings_dialog
