#include "saver/settings_dialog/win32/gradient_rows.h"

#include <vector>

#include "common/win32/geometry.h"
#include "common/win32/handles.h"

namespace settings_dialog {

void retain_gradient(win32::RetainedSurface& picture, int width, int height, GradientSurface surface) noexcept {
    const std::vector<Rgb> rows = gradient_rows(height, surface);
    if (rows.empty() || !picture.resize(width, height)) {
        picture.reset();
        return;
    }
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const win32::UniquePen pen(CreatePen(PS_SOLID, 1, RGB(rows[y].red, rows[y].green, rows[y].blue)));
        const win32::ScopedSelectObject selected(picture.dc(), pen.get());
        MoveToEx(picture.dc(), 0, static_cast<int>(y), nullptr);
        LineTo(picture.dc(), width, static_cast<int>(y));
    }
}

void show_gradient(HDC dc, HWND window, const win32::RetainedSurface& picture) noexcept {
    if (picture.show(dc))
        return;
    const RECT client = win32::client_rect(window);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}

}  // namespace settings_dialog
