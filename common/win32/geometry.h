// Rectangles of windows and their sizes, for every window of both programs.
#pragma once

#include <windows.h>

namespace win32 {

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
