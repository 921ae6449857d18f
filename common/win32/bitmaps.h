// Bitmaps from a module's resources, and copying them onto any DC: a window's
// paint DC, a retained surface, or a test's DIB section.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win32/handles.h"

namespace win32 {

// The bitmap resource `id` of `module`, loaded as a DIB section so its pixels
// stay as stored whatever the display's colour depth; null when it is missing.
UniqueBitmap load_bitmap_resource(HINSTANCE module, int id) noexcept;

// A 32-bit top-down DIB section of `width` x `height`; `pixels`, when given,
// receives its pixels, row by row from the top, each 0x00RRGGBB. Null when a
// side is not positive or GDI cannot make it.
UniqueBitmap make_dib_section(int width, int height, std::uint32_t** pixels = nullptr) noexcept;

// Copies `bitmap` unscaled onto `dc`, its top-left corner at the top-left
// corner of `to`: as much of it as fits in `to`. Nothing when `bitmap` is null.
void draw_bitmap(HDC dc, HBITMAP bitmap, const RECT& to) noexcept;

// Copies the part `from` of `bitmap` onto `to` of `dc`, stretched or shrunk
// to fit, each pixel copied as it is (no blending). Nothing when `bitmap` is
// null or either rectangle is empty (a negative size would mirror).
void draw_bitmap(HDC dc, HBITMAP bitmap, const RECT& to, const RECT& from) noexcept;

// A new DIB section of `width` x `height` holding the whole of `bitmap`
// resampled to that size with the system's HALFTONE filter, which blends
// the source pixels each target pixel covers: a picture reduced this way
// stays sharp, where a pixel-by-pixel copy drops rows and columns. Null when
// `bitmap` is null or a side is not positive.
UniqueBitmap halftone_copy(HBITMAP bitmap, int width, int height) noexcept;

}  // namespace win32
