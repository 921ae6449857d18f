// A picture a window keeps between paints: drawn when its look changes,
// copied to the window at every paint without being worked out again. It is
// a 32-bit top-down DIB section selected into a memory DC, so what is drawn
// into it keeps every colour whatever the display's depth.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"

namespace win32 {

class RetainedSurface {
public:
    // The surface at `width` x `height` pixels: kept as it is when it has
    // that size already, otherwise made anew, all black. False, with no
    // surface left, when a side is not positive or GDI cannot make it.
    bool resize(int width, int height) noexcept;
    // No surface.
    void reset() noexcept;

    // The DC to draw into; null while there is no surface.
    HDC dc() const noexcept { return dc_.get(); }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }

    // Copies the whole surface onto `dc` at (0, 0); false when there is none.
    bool show(HDC dc) const noexcept;

private:
    UniqueBitmap bitmap_;  // declared first: it outlives the DC it is selected into
    MemoryDc dc_;
    int width_ = 0, height_ = 0;
};

}  // namespace win32
