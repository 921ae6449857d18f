#include "common/win32/window_base.h"

#include "common/win32/struct_sizes.h"

namespace win32 {

WindowBase::~WindowBase() {
    if (window_)
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK WindowBase::window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTA*>(lparam)->lpCreateParams);
        if (self) {
            self->window_ = UniqueWindow(window);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) find no object yet.
    if (!self)
        return DefWindowProcA(window, message, wparam, lparam);
    const LRESULT result = self->handle_message(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_.release();
    }
    return result;
}

HWND WindowBase::create_window(DWORD ex_style,
                               const char* class_name,
                               const char* caption,
                               DWORD style,
                               int x,
                               int y,
                               int width,
                               int height,
                               HWND parent,
                               HINSTANCE instance,
                               int child_id) noexcept {
    const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(child_id));
    return CreateWindowExA(ex_style, class_name, caption, style, x, y, width, height, parent, menu, instance, this);
}

LRESULT WindowBase::default_handling(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    return DefWindowProcA(hwnd(), message, wparam, lparam);
}

bool register_window_class(HINSTANCE instance, const WindowClass& window_class) noexcept {
    WNDCLASSEXA wc{};
    EL_ASSERT_SHIPPED_SIZE(WNDCLASSEXA, 48);
    wc.cbSize = sizeof wc;
    wc.style = window_class.style;
    wc.lpfnWndProc = &WindowBase::window_proc;
    wc.hInstance = instance;
    wc.hIcon = window_class.icon;
    wc.hIconSm = window_class.small_icon;
    wc.hCursor = window_class.cursor;
    wc.hbrBackground = window_class.background;
    wc.lpszClassName = window_class.name;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace win32
