// Rectangles of windows and their sizes, for every window of both programs.
#pragma once

#include <windows.h>

#include "common/pixel_rect.h"

namespace win32 {

// A place in pixels as the RECT the Windows calls take, and back.
inline RECT rect_of(const common::PixelRect& r) noexcept {
    return RECT{r.left, r.top, r.right, r.bottom};
}
inline common::PixelRect pixel_rect(const RECT& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

// The width and height of a rectangle.
inline int width_of(const RECT& r) noexcept {
    return r.right - r.left;
}
inline int height_of(const RECT& r) noexcept {
    return r.bottom - r.top;
}

// A window's client area: (0, 0) to its width and height; empty when the
// window is gone.
inline RECT client_rect(HWND window) noexcept {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

// A window's outer rectangle in screen coordinates; empty when the window is
// gone.
inline RECT window_rect(HWND window) noexcept {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

}  // namespace win32
