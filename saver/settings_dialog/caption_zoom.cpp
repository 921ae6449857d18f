#include "saver/settings_dialog/caption_zoom.h"

namespace settings_dialog {

ZoomPoint ZoomOrigin;

namespace {

RECT origin_rect() {
    return RECT{ZoomOrigin.x, ZoomOrigin.y, ZoomOrigin.x, ZoomOrigin.y};
}

}  // namespace

void ZoomOpen(HWND window) {
    RECT to{};
    GetWindowRect(window, &to);
    const RECT from = origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) {
    RECT from{};
    GetWindowRect(window, &from);
    const RECT to = origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace settings_dialog
