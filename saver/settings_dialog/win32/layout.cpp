#include "saver/settings_dialog/win32/layout.h"

#include <optional>

#include "common/win32/geometry.h"
#include "saver/settings_dialog/layout.h"

namespace settings_dialog {
namespace {

// Screen point, in pixels, the caption zoom starts from and returns to; set
// from the cursor position when a dialog loads, (0, 0) until then.
ZoomPoint ZoomOrigin;

RECT zoom_origin_rect() {
    return RECT{ZoomOrigin.x, ZoomOrigin.y, ZoomOrigin.x, ZoomOrigin.y};
}

}  // namespace

void take_zoom_origin_from_cursor() noexcept {
    POINT cursor{};
    std::optional<CursorPoint> read;
    if (GetCursorPos(&cursor))
        read = CursorPoint{cursor.x, cursor.y};
    ZoomOrigin = zoom_origin_from_cursor(ZoomOrigin, read);
}

void ZoomOpen(HWND window) noexcept {
    const RECT to = win32::window_rect(window);
    const RECT from = zoom_origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window) noexcept {
    const RECT from = win32::window_rect(window);
    const RECT to = zoom_origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace settings_dialog
