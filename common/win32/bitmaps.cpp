#include "common/win32/bitmaps.h"

#include <algorithm>

#include "common/win32/geometry.h"

namespace win32 {
namespace {

// `copy(source)` with `bitmap` selected into `source`, a memory DC that
// matches `dc`.
template <typename Copy>
void copy_from(HDC dc, HBITMAP bitmap, Copy copy) noexcept {
    if (!bitmap)
        return;
    const MemoryDc source(CreateCompatibleDC(dc));
    if (!source)
        return;
    const ScopedSelectObject select(source.get(), bitmap);
    if (select.selected())
        copy(source.get());
}

}  // namespace

UniqueBitmap load_bitmap_resource(HINSTANCE module, int id) noexcept {
    return UniqueBitmap(
        static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueBitmap make_dib_section(int width, int height, std::uint32_t** pixels) noexcept {
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (pixels)
        *pixels = bitmap ? static_cast<std::uint32_t*>(bits) : nullptr;
    return bitmap;
}

void draw_bitmap(HDC dc, HBITMAP bitmap, const RECT& to) noexcept {
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return;
    const int width = std::min<int>(width_of(to), size.bmWidth), height = std::min<int>(height_of(to), size.bmHeight);
    if (width <= 0 || height <= 0)
        return;
    copy_from(dc, bitmap, [&](HDC source) { BitBlt(dc, to.left, to.top, width, height, source, 0, 0, SRCCOPY); });
}

void draw_bitmap(HDC dc, HBITMAP bitmap, const RECT& to, const RECT& from) noexcept {
    if (IsRectEmpty(&to) || IsRectEmpty(&from))
        return;
    copy_from(dc, bitmap, [&](HDC source) {
        const int previous_mode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, to.left, to.top, width_of(to), height_of(to), source, from.left, from.top, width_of(from),
                   height_of(from), SRCCOPY);
        if (previous_mode)
            SetStretchBltMode(dc, previous_mode);
    });
}

UniqueBitmap halftone_copy(HBITMAP bitmap, int width, int height) noexcept {
    BITMAP size{};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size))
        return nullptr;
    UniqueBitmap copy = make_dib_section(width, height);
    const MemoryDc target(CreateCompatibleDC(nullptr));
    if (!copy || !target)
        return nullptr;
    const ScopedSelectObject select(target.get(), copy.get());
    if (!select.selected())
        return nullptr;
    // HALFTONE wants the brush origin set after it is chosen.
    SetStretchBltMode(target.get(), HALFTONE);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    copy_from(target.get(), bitmap, [&](HDC source) {
        StretchBlt(target.get(), 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    });
    GdiFlush();
    return copy;
}

}  // namespace win32
