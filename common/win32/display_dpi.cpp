#include "common/win32/display_dpi.h"

#include "common/win32/handles.h"
#include "common/win32/system_library.h"

namespace win32 {
namespace {

// Declared here: the headers of the compiler's oldest supported target
// may not have them, and the calls are looked up at run time anyway.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
// A DPI_AWARENESS_CONTEXT is a handle.
using GetWindowDpiAwarenessContextFunction = HANDLE(WINAPI*)(HWND);
using SetThreadDpiAwarenessContextFunction = HANDLE(WINAPI*)(HANDLE);

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
    static const auto get_dpi_for_window = user32_export<GetDpiForWindowFunction>("GetDpiForWindow");
    if (window && get_dpi_for_window) {
        const UINT dpi = get_dpi_for_window(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return system_dpi();
}

bool adjust_window_rect(RECT& rect, DWORD style, DWORD ex_style, int dpi) noexcept {
    static const auto adjust_for_dpi = user32_export<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjust_for_dpi)
        return adjust_for_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi)) != FALSE;
    return AdjustWindowRectEx(&rect, style, FALSE, ex_style) != FALSE;
}

bool adopt_dpi_awareness_of(HWND window) noexcept {
    static const auto window_context =
        user32_export<GetWindowDpiAwarenessContextFunction>("GetWindowDpiAwarenessContext");
    static const auto set_thread_context =
        user32_export<SetThreadDpiAwarenessContextFunction>("SetThreadDpiAwarenessContext");
    if (!window_context || !set_thread_context)
        return false;
    const HANDLE context = window_context(window);
    return context && set_thread_context(context);
}

}  // namespace win32
