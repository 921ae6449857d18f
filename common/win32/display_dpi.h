// The dots per inch a window is drawn at. A program that declares itself
// per-monitor aware (in its manifest) sees each monitor's own scale through
// GetDpiForWindow (Windows 10 version 1607 and later); elsewhere the system's
// one scale is what every window gets.
#pragma once

#include <windows.h>

namespace win32 {

// The DPI of the monitor `window` is on; the system's DPI where the system
// cannot say per window, or for a null window; 96 when nothing answers.
int window_dpi(HWND window) noexcept;

// The DPI a window about to be created on the primary monitor gets.
int system_dpi() noexcept;

// AdjustWindowRectEx for a window at `dpi`: the frame and caption of a
// per-monitor aware window are as thick as that monitor's scale makes them.
bool adjust_window_rect(RECT& rect, DWORD style, DWORD ex_style, int dpi) noexcept;

// Gives `window` (of `style` and `ex_style`) the outer size whose client area
// is `client` pixels at `dpi`, its top-left corner at `top_left` in screen
// pixels, or where it is when null.
void size_for_client(HWND window, SIZE client, DWORD style, DWORD ex_style, int dpi, const POINT* top_left) noexcept;

// Runs the calling thread at the DPI awareness of `window`, which may belong
// to another process: a window this thread creates next gets that awareness,
// so it may become that window's child, and the sizes this thread reads from
// then on are in the units that window's own process sees. False where the
// system has no per-thread awareness (before Windows 10 version 1607), and
// then nothing changes.
bool adopt_dpi_awareness_of(HWND window) noexcept;

}  // namespace win32
