// The per-monitor DPI calls are declared from Windows 10 (0x0605) on; they
// are looked up at run time, so the program still starts on Windows 7.
#undef WINVER
#define WINVER 0x0605

#include "common/win32/display_dpi.h"

#include "common/win32/geometry.h"
#include "common/win32/handles.h"
#include "common/win32/system_library.h"

namespace win32 {
namespace {

// user32 is imported, so it is loaded already: only its newer exports are
// looked up.
template <typename Function>
Function user32_export(const char* name) noexcept {
    Function f = nullptr;
    resolve(GetModuleHandleA("user32.dll"), name, f);
    return f;
}

}  // namespace

int system_dpi() noexcept {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

int window_dpi(HWND window) noexcept {
    static const auto get_dpi_for_window = user32_export<decltype(&::GetDpiForWindow)>("GetDpiForWindow");
    if (window && get_dpi_for_window) {
        const UINT dpi = get_dpi_for_window(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return system_dpi();
}

bool adjust_window_rect(RECT& rect, DWORD style, DWORD ex_style, int dpi) noexcept {
    static const auto adjust_for_dpi = user32_export<decltype(&::AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
    if (adjust_for_dpi)
        return adjust_for_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi)) != FALSE;
    return AdjustWindowRectEx(&rect, style, FALSE, ex_style) != FALSE;
}

void size_for_client(HWND window, SIZE client, DWORD style, DWORD ex_style, int dpi, const POINT* top_left) noexcept {
    RECT outer{0, 0, client.cx, client.cy};
    adjust_window_rect(outer, style, ex_style, dpi);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{};
    if (top_left)
        at = *top_left;
    else
        flags |= SWP_NOMOVE;
    SetWindowPos(window, nullptr, at.x, at.y, width_of(outer), height_of(outer), flags);
    // A frame drawn at another scale than the one asked about (a system
    // that scales the caption bar later, or never) leaves the client area
    // off by its difference: made up once, measured.
    const RECT got = client_rect(window);
    if (got.right != client.cx || got.bottom != client.cy) {
        SetWindowPos(window, nullptr, 0, 0, width_of(outer) + client.cx - got.right,
                     height_of(outer) + client.cy - got.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool adopt_dpi_awareness_of(HWND window) noexcept {
    static const auto window_context =
        user32_export<decltype(&::GetWindowDpiAwarenessContext)>("GetWindowDpiAwarenessContext");
    static const auto set_thread_context =
        user32_export<decltype(&::SetThreadDpiAwarenessContext)>("SetThreadDpiAwarenessContext");
    if (!window_context || !set_thread_context)
        return false;
    const DPI_AWARENESS_CONTEXT context = window_context(window);
    return context && set_thread_context(context);
}

}  // namespace win32
