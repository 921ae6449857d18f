#include "renderer/win32/desktop_capture.h"

#include <memory>
#include <type_traits>
#include <utility>

#include "common/win32/bitmaps.h"

namespace renderer {
namespace {

struct DesktopCloser {
    void operator()(HDESK desktop) const noexcept { CloseDesktop(desktop); }
};
using OpenedDesktop = std::unique_ptr<std::remove_pointer_t<HDESK>, DesktopCloser>;

std::optional<std::string> name_of(HDESK desktop) {
    char name[256] = {};
    DWORD needed = 0;
    if (!desktop || !GetUserObjectInformationA(desktop, UOI_NAME, name, sizeof name - 1, &needed))
        return std::nullopt;
    return std::string(name);
}

}  // namespace

std::optional<std::string> own_desktop_name() noexcept {
    return name_of(GetThreadDesktop(GetCurrentThreadId()));  // not to be closed
}

std::optional<std::string> input_desktop_name() noexcept {
    const OpenedDesktop input(OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS));
    return name_of(input.get());
}

DesktopCapture DesktopCapture::take(const common::PixelRect& area) noexcept {
    DesktopCapture capture;
    std::uint32_t* pixels = nullptr;
    win32::UniqueBitmap bitmap = win32::make_dib_section(area.width(), area.height(), &pixels);
    const win32::WindowDc screen(nullptr);  // the whole virtual screen
    const win32::MemoryDc target(CreateCompatibleDC(screen.get()));
    if (!bitmap || !screen || !target)
        return capture;
    {
        const win32::ScopedSelectObject select(target.get(), bitmap.get());
        // CAPTUREBLT takes layered windows too (the on-screen keyboard, a
        // notification), which a desktop without composition leaves out.
        if (!select.selected() || !BitBlt(target.get(), 0, 0, area.width(), area.height(), screen.get(), area.left,
                                          area.top, SRCCOPY | CAPTUREBLT))
            return capture;
    }
    GdiFlush();  // the pixels are read directly
    capture.bitmap_ = std::move(bitmap);
    capture.pixels_ = pixels;
    capture.width_ = area.width();
    capture.height_ = area.height();
    return capture;
}

void DesktopCapture::paint(HDC dc) const noexcept {
    win32::draw_bitmap(dc, bitmap_.get(), RECT{0, 0, width_, height_});
}

}  // namespace renderer
