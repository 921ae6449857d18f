// What the monitors show just before the first full-screen window covers
// them: the picture the start of a run darkens to black (start_fade.h). In
// physical pixels, as the program is per-monitor DPI-aware.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/pixel_rect.h"
#include "common/win32/handles.h"

namespace renderer {

// The names of this thread's desktop and of the input desktop (the one the
// user sees), to decide whether a capture would show the user's desktop
// (fades_from_desktop); none where a desktop cannot be opened or named.
std::optional<std::string> own_desktop_name() noexcept;
std::optional<std::string> input_desktop_name() noexcept;

class DesktopCapture {
public:
    DesktopCapture() = default;  // none
    DesktopCapture(DesktopCapture&&) = default;
    DesktopCapture& operator=(DesktopCapture&&) = default;

    // The screen's pixels over `area` (virtual-screen pixels: the full-screen
    // window's rectangle, so that each monitor's part lands on that monitor).
    // None where the screen cannot be read (another desktop is active, as at
    // a lock or an elevation prompt) or the bitmap cannot be made.
    static DesktopCapture take(const common::PixelRect& area) noexcept;

    explicit operator bool() const noexcept { return bitmap_ != nullptr; }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    // Rows from the top, each pixel 0x00RRGGBB.
    const std::uint32_t* pixels() const noexcept { return pixels_; }

    // Paints the capture with GDI at the top-left of `dc`, a DC of the window
    // over `area`: what the window shows until its first OpenGL frame.
    void paint(HDC dc) const noexcept;

private:
    win32::UniqueBitmap bitmap_;
    std::uint32_t* pixels_ = nullptr;  // in bitmap_
    int width_ = 0, height_ = 0;
};

}  // namespace renderer
