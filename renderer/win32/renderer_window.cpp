#include "renderer/win32/renderer_window.h"

#include <new>
#include <utility>

#include "common/contract.h"

namespace renderer {
namespace {

constexpr char kClassName[] = "opengl demo";
constexpr int kWindowedWidth = 1024;  // outer size of the framed window
constexpr int kWindowedHeight = 768;

}  // namespace

bool RendererWindow::register_class(HINSTANCE instance) noexcept {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    return win32::register_window_class(instance, wc);
}

RendererWindow::RendererWindow(WindowEvents& events, bool full_screen, std::vector<View> views) noexcept
    : events_(events), full_screen_(full_screen), views_(std::move(views)) {}

std::unique_ptr<RendererWindow> RendererWindow::make(WindowEvents& events,
                                                     HINSTANCE instance,
                                                     const common::PixelRect* area,
                                                     std::vector<View> views,
                                                     const GlApi& gl,
                                                     const char*& failed_step) noexcept {
    std::unique_ptr<RendererWindow> window(new (std::nothrow)
                                               RendererWindow(events, area != nullptr, std::move(views)));
    failed_step = window ? window->create(instance, area, gl) : "malloc";
    if (failed_step)
        window.reset();
    return window;
}

// Full screen: one window over every monitor, top-most where it spans
// several, so that no monitor's task bar shows through. Framed: 1024 x 768,
// the other monitors showing what they showed before.
const char* RendererWindow::create(HINSTANCE instance, const common::PixelRect* area, const GlApi& gl) noexcept {
    DWORD style = WS_OVERLAPPEDWINDOW, ex_style = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = kWindowedWidth, height = kWindowedHeight;
    if (area) {
        x = area->left;
        y = area->top;
        width = area->width();
        height = area->height();
        style = WS_POPUP;
        if (views_.size() > 1)
            ex_style = WS_EX_TOPMOST;
    }
    if (!create_window(ex_style, kClassName, contract::kRendererCaption, style, x, y, width, height, nullptr, instance))
        return "CreateWindowEx";
    const char* failed = nullptr;
    gl_ = WindowGl::make(gl, hwnd(), failed);
    if (!gl_)
        return failed;
    power_notices_.listen(hwnd());
    session_notices_.listen(hwnd());
    return nullptr;
}

void RendererWindow::hold_for_retry() noexcept {
    views_.clear();
    gl_->make_current();  // a failed try's context may have been current
}

LRESULT RendererWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    const int x = LOWORD(lparam), y = HIWORD(lparam);
    switch (message) {
        case WM_SIZE:
            on_size(wparam, lparam);
            return 0;
        case WM_ERASEBKGND:
            if (events_.paint_background(*this, reinterpret_cast<HDC>(wparam)))
                return 1;
            break;
        case WM_MOVE:
            events_.moved(*this);
            return 0;
        case WM_DPICHANGED:
            return 0;  // the framed window keeps its 1024 x 768 pixels; the full-screen one fills its monitors
        case WM_CLOSE:
            events_.close_requested();  // the run destroys the window
            return 0;
        case WM_KEYDOWN:
            return 0;  // keys act on release
        case WM_KEYUP:
            events_.key_released(static_cast<unsigned>(wparam));
            return 0;
        case WM_SYSCOMMAND:
            if (refuses_system_command(wparam))
                return 0;
            break;
        case WM_DISPLAYCHANGE:
            events_.display_changed(*this);
            return 0;
        case WM_POWERBROADCAST:
            on_power_event(wparam, lparam);
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            events_.session_notice(static_cast<std::uint32_t>(wparam));
            return 0;
        case WM_MOUSEMOVE:
            events_.pointer(InputKind::MouseMove, mouse_move_button(wparam), x, y);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            events_.pointer(InputKind::ButtonDown, message == WM_RBUTTONDOWN ? 1 : 0, x, y);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            events_.pointer(InputKind::ButtonUp, message == WM_RBUTTONUP ? 1 : 0, x, y);
            return 0;
        default:
            break;
    }
    return default_handling(message, wparam, lparam);
}

void RendererWindow::on_size(WPARAM kind, LPARAM size) {
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED)
        active_ = true;
    else if (kind == SIZE_MINIMIZED)
        active_ = false;
    events_.resized(*this, LOWORD(size), HIWORD(size));
}

// The power plan's savers and the display's state (PBT_POWERSETTINGCHANGE),
// and the resume from standby.
void RendererWindow::on_power_event(WPARAM event, LPARAM notice) {
    if (event == PBT_POWERSETTINGCHANGE) {
        common::PowerSetting setting;
        std::uint32_t value;
        if (win32::PowerNotices::read(notice, setting, value))
            events_.power_notice(setting, value);
    } else if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) {
        events_.resumed();
    }
}

}  // namespace renderer
