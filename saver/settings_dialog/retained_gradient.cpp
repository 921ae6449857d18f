#include "saver/settings_dialog/retained_gradient.h"

#include <vector>

namespace settings_dialog {

void RetainedGradient::paint(HDC reference, int width, int height, GradientSurface surface) noexcept {
    const std::vector<Rgb> rows = gradient_rows(height, surface);
    dc_.reset();
    bitmap_.reset();
    width_ = height_ = 0;
    if (rows.empty() || width <= 0)
        return;
    win32::MemoryDc dc(CreateCompatibleDC(reference));
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(reference, width, height));
    if (!dc || !bitmap)
        return;
    SelectObject(dc.get(), bitmap.get());
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const win32::UniquePen pen(CreatePen(PS_SOLID, 1, RGB(rows[y].red, rows[y].green, rows[y].blue)));
        const win32::ScopedSelectObject selected(dc.get(), pen.get());
        MoveToEx(dc.get(), 0, static_cast<int>(y), nullptr);
        LineTo(dc.get(), width, static_cast<int>(y));
    }
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    width_ = width;
    height_ = height;
}

bool RetainedGradient::show(HDC dc) const noexcept {
    return dc_ && BitBlt(dc, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace settings_dialog
