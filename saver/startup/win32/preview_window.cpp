#include "saver/startup/win32/preview_window.h"

#include "common/win32/display_dpi.h"
#include "common/win32/geometry.h"
#include "common/win32/handles.h"
#include "common/win32/window_base.h"
#include "saver/shared/last_api_result.h"
#include "saver/shared/texts.h"
#include "saver/startup/win32/preview_picture.h"

namespace startup {

namespace {

constexpr char kClassName[] = "Ember_Lantern_R";
// Sent to the children of a per-monitor aware window after it has taken the
// scale of another monitor; not in the compiler's oldest target headers.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

class PreviewWindow final : public win32::WindowBase {
public:
    explicit PreviewWindow(HINSTANCE instance) : instance_(instance) {}

    HWND create() {
        // Created as a hidden borderless top-level window; the set-up makes it
        // a child of the host afterwards.
        return create_window(0, kClassName, texts::kPreviewCaption, WS_POPUP, 0, 0, 0, 0, nullptr, instance_);
    }

    // The host's client area, and the still at the scale the window is drawn
    // at, both in the units of the awareness the window shares with its host.
    void fit_to(HWND host) noexcept {
        host_ = host;
        RECT client{};
        shared::LastApiResult = GetClientRect(host, &client);
        MoveWindow(hwnd(), 0, 0, client.right, client.bottom, FALSE);
        picture_ = preview_picture(instance_, win32::window_dpi(hwnd()));
        InvalidateRect(hwnd(), nullptr, FALSE);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        switch (message) {
            case WM_ERASEBKGND:
            case WM_PAINT:
            case WM_PRINTCLIENT:
                return paint_message(message, wparam, lparam, [this](HDC dc) { draw(dc); });
            case kDpiChangedAfterParent:
                // The host, moved to a monitor of another scale, has laid
                // itself out anew.
                fit_to(host_);
                return 0;
            case WM_DESTROY:
                Form_Unload();
                return 0;
            default:
                return default_handling(message, wparam, lparam);
        }
    }

    void draw(HDC dc) noexcept {
        const RECT client = win32::client_rect(hwnd());
        paint_preview(dc, client.right, client.bottom, picture_.get());
    }

    // The window is going, usually with its host: the close request to itself
    // is what the window has always done on unload; ending the message loop is
    // what makes the process end with it.
    void Form_Unload() {
        shared::LastApiResult = PostMessageA(hwnd(), WM_CLOSE, 0, 0);
        PostQuitMessage(0);
    }

    HINSTANCE instance_;
    HWND host_ = nullptr;
    win32::UniqueBitmap picture_;
};

bool register_preview_class(HINSTANCE instance) {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return win32::register_window_class(instance, wc);
}

}  // namespace

bool set_up_preview(HINSTANCE instance, HWND host) {
    // At the host's awareness: Windows makes a child of a window of another
    // awareness only where the host asked for mixed hosting, and scales a
    // window with its host only when both share one. The host's size is read
    // after, so it is in the units the window is placed in.
    win32::adopt_dpi_awareness_of(host);

    if (!register_preview_class(instance))
        return false;
    // Lives as long as the process: the window is its only reason to run.
    static PreviewWindow* preview = new PreviewWindow(instance);
    HWND window = preview->create();
    if (!window)
        return false;

    // SetParent wants WS_POPUP cleared when WS_CHILD is set.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    shared::LastApiResult = SetWindowLongA(window, GWL_STYLE, (style & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
    shared::LastApiResult = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(SetParent(window, host)));
    preview->fit_to(host);
    ShowWindow(window, SW_SHOW);
    return true;
}

}  // namespace startup
