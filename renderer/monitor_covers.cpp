#include "renderer/monitor_covers.h"

#include <new>

#include "common/win32/geometry.h"
#include "common/win32/struct_sizes.h"
#include "common/win32/window_base.h"
#include "renderer/cover_layout.h"
#include "renderer/window_input.h"

namespace renderer {
namespace {

constexpr char kCoverClassName[] = "Ember_Lantern cover";
// Not the renderer's caption: the front end watches that one, and only the
// main window may carry it.
constexpr char kCoverCaption[] = "Ember_Lantern monitor cover";

// Between the system's rectangles and ours: the same virtual-screen pixels.
ScreenRect screen_rect_of(const RECT& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}
RECT rect_of(const ScreenRect& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK collect_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) noexcept {
    MONITORINFO info{};
    EL_ASSERT_SHIPPED_SIZE(MONITORINFO, 40);
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<ScreenRect>*>(param)->push_back(screen_rect_of(info.rcMonitor));
    }
    return TRUE;
}

}  // namespace

class CoverWindow final : public win32::WindowBase {
public:
    explicit CoverWindow(HWND main_window) : main_window_(main_window) {}
    ~CoverWindow() {
        if (hwnd())
            DestroyWindow(hwnd());
    }

    bool create(HINSTANCE instance, const ScreenRect& monitor) noexcept {
        // Owned by the main window, so it has no task-bar button and goes
        // with it; top-most, so it also hides that monitor's task bar.
        const RECT place = rect_of(monitor);
        return create_window(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClassName, kCoverCaption, WS_POPUP, place.left,
                             place.top, win32::width_of(place), win32::height_of(place), main_window_,
                             instance) != nullptr;
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        switch (message) {
            case WM_KEYUP:
            case WM_CLOSE:
                // Esc, Tab and Space act as on the main window.
                return SendMessageA(main_window_, message, wparam, lparam);
            case WM_KEYDOWN:
                return 0;  // keys act on release
            case WM_SYSCOMMAND:
                if (refuses_system_command(wparam))
                    return 0;
                break;
            case WM_SETCURSOR:
                SetCursor(nullptr);
                return TRUE;
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_LBUTTONDBLCLK:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
                return 0;
            default:
                break;
        }
        return default_handling(message, wparam, lparam);
    }

    HWND main_window_;
};

MonitorCovers::MonitorCovers() = default;
MonitorCovers::~MonitorCovers() = default;

void MonitorCovers::cover_other_monitors(HINSTANCE instance, HWND main_window) noexcept {
    RECT main_rect{};
    if (!GetWindowRect(main_window, &main_rect))
        return;
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, collect_monitor, reinterpret_cast<LPARAM>(&monitors));
    const std::vector<ScreenRect> rects = monitors_to_cover(monitors, screen_rect_of(main_rect));
    if (rects.empty())
        return;

    win32::WindowClass wc;
    wc.name = kCoverClassName;
    wc.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    // No class cursor: the pointer stays hidden over a cover.
    if (!win32::register_window_class(instance, wc))
        return;
    for (const ScreenRect& rect : rects) {
        std::unique_ptr<CoverWindow> cover(new (std::nothrow) CoverWindow(main_window));
        if (!cover || !cover->create(instance, rect))
            continue;
        ShowWindow(cover->hwnd(), SW_SHOWNOACTIVATE);
        covers_.push_back(std::move(cover));
    }
}

void MonitorCovers::remove() noexcept {
    covers_.clear();
}

}  // namespace renderer
