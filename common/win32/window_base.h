// The one way our windows reach their C++ objects. The procedure stores the
// object at WM_NCCREATE, before that message is handled, and forgets it at
// WM_NCDESTROY, after that message is handled; every message in between goes
// to the object's handle_message, which turns it into a member call. The
// object owns its window: a window still there when the object goes is
// destroyed with it. The
// procedure is noexcept: an exception can never cross into the system's
// frames (with 32-bit MinGW that ends the program even where the caller of
// SendMessage catches it); it ends the process through the terminate handler
// of process_start.h instead. A window that draws its whole client area
// itself hands the three painting messages to paint_message.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"

namespace win32 {

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // The window while it exists: set at WM_NCCREATE, null after WM_NCDESTROY.
    HWND hwnd() const noexcept { return window_.get(); }

    // The procedure of every window class of ours (register_window_class).
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

protected:
    WindowBase() = default;
    // Destroys the window if it is still there. By now the derived class's
    // members are gone, so the window's last messages reach no object: what
    // belongs to the window (its timers, its children) the system ends.
    ~WindowBase();

    // CreateWindowExA with this object as the window's owner. `child_id` is
    // the control identifier of a child window. Null when it fails.
    HWND create_window(DWORD ex_style,
                       const char* class_name,
                       const char* caption,
                       DWORD style,
                       int x,
                       int y,
                       int width,
                       int height,
                       HWND parent,
                       HINSTANCE instance,
                       int child_id = 0) noexcept;

    // One message of this window. What it does not handle goes to
    // default_handling, which is DefWindowProcA.
    virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept = 0;
    LRESULT default_handling(UINT message, WPARAM wparam, LPARAM lparam) noexcept;

    // WM_ERASEBKGND, WM_PAINT and WM_PRINTCLIENT for a window whose
    // `draw(HDC)` covers every pixel of its client area: there is nothing to
    // erase, and the paint and the print both draw, into the paint DC or into
    // the DC that WM_PRINTCLIENT brings. Other messages go to default_handling.
    template <typename Draw>
    LRESULT paint_message(UINT message, WPARAM wparam, LPARAM lparam, Draw draw) noexcept {
        switch (message) {
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                const PaintDc dc(hwnd());
                draw(dc.get());
                return 0;
            }
            case WM_PRINTCLIENT:
                draw(reinterpret_cast<HDC>(wparam));
                return 0;
            default:
                return default_handling(message, wparam, lparam);
        }
    }

private:
    UniqueWindow window_;
};

// A window class whose procedure is WindowBase::window_proc.
struct WindowClass {
    const char* name = nullptr;
    UINT style = 0;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
};

// RegisterClassExA; true also when this program registered the class before.
bool register_window_class(HINSTANCE instance, const WindowClass& window_class) noexcept;

}  // namespace win32
