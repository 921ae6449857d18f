#include "common/win32/retained_surface.h"

#include <utility>

#include "common/win32/bitmaps.h"

namespace win32 {

bool RetainedSurface::resize(int width, int height) noexcept {
    if (dc_ && width == width_ && height == height_)
        return true;
    reset();
    MemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap = dc ? make_dib_section(width, height) : nullptr;
    if (!bitmap || !SelectObject(dc.get(), bitmap.get()))
        return false;
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    width_ = width;
    height_ = height;
    return true;
}

void RetainedSurface::reset() noexcept {
    // The DC goes first, so the bitmap is no longer selected when it is deleted.
    dc_.reset();
    bitmap_.reset();
    width_ = height_ = 0;
}

bool RetainedSurface::show(HDC dc) const noexcept {
    return dc_ && BitBlt(dc, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace win32
