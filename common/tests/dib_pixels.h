// What a painting routine draws, read back pixel by pixel: the routine paints
// into a 32-bit top-down DIB section that starts filled with a known colour,
// so a pixel it leaves alone shows. For tests under Wine.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/win32/handles.h"

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> data;  // 0x00RRGGBB, top row first
    std::uint32_t at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
};

// `paint(HDC)` into a width x height DIB section filled with `fill`
// (0x00RRGGBB) first; empty Pixels when no DIB section can be made.
template <typename Paint>
Pixels draw_into_dib(int width, int height, std::uint32_t fill, Paint paint) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::MemoryDc dc(CreateCompatibleDC(nullptr));
    win32::UniqueBitmap dib(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !dib)
        return Pixels();
    Pixels p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, fill)};
    {
        const win32::ScopedSelectObject select(dc.get(), dib.get());
        std::copy(p.data.begin(), p.data.end(), static_cast<std::uint32_t*>(bits));
        paint(dc.get());
        GdiFlush();
    }
    const auto* words = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < p.data.size(); ++i)
        p.data[i] = words[i] & 0xFFFFFFu;
    return p;
}
