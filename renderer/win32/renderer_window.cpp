#include "renderer/win32/renderer_window.h"

#include <cmath>
#include <new>
#include <utility>

#include "common/contract.h"
#include "renderer/monitor_layout.h"
#include "renderer/win32/monitor_layout.h"
#include "renderer/window_input.h"

namespace renderer {
namespace {

constexpr char kClassName[] = "opengl demo";
constexpr int kWindowedWidth = 1024;  // outer size of the framed window
constexpr int kWindowedHeight = 768;

constexpr UINT_PTR kSettleTimer = 1;  // a display change has settled: make the full-screen window anew
constexpr UINT kSettleMs = 100;       // monitors report a change in bursts as they come and go
constexpr UINT_PTR kRetryTimer = 2;   // try a failed set-up again

}  // namespace

bool RendererWindow::register_class(HINSTANCE instance) noexcept {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    return win32::register_window_class(instance, wc);
}

std::unique_ptr<RendererWindow> RendererWindow::make(RunParts& run,
                                                     bool full_screen,
                                                     const char*& failed_step) noexcept {
    std::unique_ptr<RendererWindow> window(new (std::nothrow) RendererWindow(run, full_screen));
    failed_step = window ? window->create() : "malloc";
    if (failed_step)
        window.reset();
    return window;
}

// Full screen: one window over every monitor, with a picture of its own on
// each (monitor_layout.h); top-most where it spans several, so that no
// monitor's task bar shows through. Framed: 1024 x 768, the primary's
// picture alone, the other monitors showing what they showed before.
const char* RendererWindow::create() noexcept {
    DWORD style = WS_OVERLAPPEDWINDOW, ex_style = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = kWindowedWidth, height = kWindowedHeight;
    FullScreenLayout layout;
    const bool fades = std::exchange(run_.first_window, false) && full_screen_;
    if (full_screen_) {
        layout = full_screen_layout(list_monitors());
        if (layout.views.empty())
            return "GetDC";
        if (fades)
            desktop_ = DesktopCapture::take(layout.window);  // before anything of the run covers it
        x = layout.window.left;
        y = layout.window.top;
        width = layout.window.width();
        height = layout.window.height();
        style = WS_POPUP;
        if (layout.views.size() > 1)
            ex_style = WS_EX_TOPMOST;
    }
    views_ = views_of(layout.views, run_.pictures);
    if (!create_window(ex_style, kClassName, contract::kRendererCaption, style, x, y, width, height, nullptr,
                       run_.instance))
        return "CreateWindowEx";

    if (run_.options.fail_set_up) {
        if (const char* step = run_.options.fail_set_up())
            return step;
    }
    const char* failed = nullptr;
    gl_ = WindowGl::make(run_.gl, hwnd(), failed);
    if (!gl_)
        return failed;
    if (fades)
        begin_start_fade();
    power_notices_.listen(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    gl_resize(views_, client.right, client.bottom, run_.frame_rate, run_.counter);
    run_.loop.start_pacing(hwnd(), *gl_, !full_screen_);
    return nullptr;
}

void RendererWindow::hold_for_retry(double seconds) noexcept {
    views_.clear();
    gl_->make_current();  // a failed try's context may have been current
    SetTimer(hwnd(), kRetryTimer, static_cast<UINT>(std::lround(seconds * 1000)), nullptr);
}

// From the desktop as it was where it could be captured and drawn back,
// otherwise from black.
void RendererWindow::begin_start_fade() noexcept {
    if (desktop_) {
        desktop_tiles_.reset(new (std::nothrow)
                                 CaptureTiles(run_.gl, desktop_.pixels(), desktop_.width(), desktop_.height()));
        if (desktop_tiles_ && desktop_tiles_->empty())
            desktop_tiles_.reset();
    }
    if (!desktop_tiles_)
        desktop_ = DesktopCapture();
    run_.fade = StartFade(desktop_tiles_ != nullptr);
}

void RendererWindow::end_start_fade() noexcept {
    run_.fade.end();
    drop_desktop();
}

void RendererWindow::drop_desktop() noexcept {
    desktop_tiles_.reset();
    desktop_ = DesktopCapture();
}

// Between the window's showing and its first frame, during the fade: the
// desktop as captured, or black, instead of the class's grey background.
bool RendererWindow::paint_start(HDC dc) const noexcept {
    if (!run_.fade.running())
        return false;
    if (desktop_) {
        desktop_.paint(dc);
    } else {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    return true;
}

void RendererWindow::draw_frame(FrameMarks* marks) {
    const FadeLevels levels = run_.fade.frame(run_.counter.ticks(), run_.counter.ticks_per_second());
    gl_draw(run_.gl, gl_->scene(), views_, levels, desktop_tiles_.get(), run_.frame_rate, run_.counter, marks);
    if (desktop_tiles_ && run_.fade.desktop_done())
        drop_desktop();  // the fade costs nothing from here on
    if (run_.options.on_frame)
        run_.options.on_frame(run_.pictures.primary(), run_.frame_rate);
}

LRESULT RendererWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    const int x = LOWORD(lparam), y = HIWORD(lparam);
    switch (message) {
        case WM_SIZE:
            on_size(wparam, lparam);
            return 0;
        case WM_ERASEBKGND:
            if (paint_start(reinterpret_cast<HDC>(wparam)))
                return 1;
            break;
        case WM_MOVE:
            run_.loop.follow_display(hwnd(), false);  // another monitor may have another rate
            return 0;
        case WM_DPICHANGED:
            return 0;  // the framed window keeps its 1024 x 768 pixels; the full-screen one fills its monitors
        case WM_CLOSE:
            run_.loop.end(LoopEnd::Quit);  // the run destroys the window
            return 0;
        case WM_KEYDOWN:
            return 0;  // keys act on release
        case WM_KEYUP:
            on_key_up(wparam);
            return 0;
        case WM_SYSCOMMAND:
            if (refuses_system_command(wparam))
                return 0;
            break;
        case WM_DISPLAYCHANGE:
            on_display_change();
            return 0;
        case WM_TIMER:
            on_timer(wparam);
            return 0;
        case WM_POWERBROADCAST:
            on_power_event(wparam, lparam);
            return TRUE;
        case WM_MOUSEMOVE:
            gl_input(run_.frame_rate, InputKind::MouseMove, mouse_move_button(wparam), x, y);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            gl_input(run_.frame_rate, InputKind::ButtonDown, message == WM_RBUTTONDOWN ? 1 : 0, x, y);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            gl_input(run_.frame_rate, InputKind::ButtonUp, message == WM_RBUTTONUP ? 1 : 0, x, y);
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
    gl_resize(views_, LOWORD(size), HIWORD(size), run_.frame_rate, run_.counter);
    run_.loop.restart_pacing();
}

void RendererWindow::on_key_up(WPARAM key) {
    switch (classify_key_release(static_cast<unsigned>(key))) {
        case KeyRelease::SwitchMode:
            run_.loop.end(LoopEnd::SwitchMode);
            break;
        case KeyRelease::Quit:
            run_.loop.end(LoopEnd::Quit);
            break;
        case KeyRelease::Input:
            gl_input(run_.frame_rate, InputKind::KeyUp, static_cast<int>(key), -1, -1);
            break;
    }
}

// A new resolution, a monitor plugged in or out, another refresh rate: the
// rate is read again in both modes, and once the changes have settled the
// full-screen window is made anew over the monitors as they are now, each
// with its picture (a monitor seen before carries on with its own). The
// framed window keeps its size.
void RendererWindow::on_display_change() {
    run_.loop.follow_display(hwnd(), true);
    if (full_screen_)
        SetTimer(hwnd(), kSettleTimer, kSettleMs, nullptr);  // a later change in the burst starts it again
}

void RendererWindow::on_timer(WPARAM timer) {
    if (timer != kSettleTimer && timer != kRetryTimer)
        return;
    KillTimer(hwnd(), timer);
    run_.loop.end(timer == kSettleTimer ? LoopEnd::DisplaySettled : LoopEnd::RetryDue);
}

// The power plan's savers, the display's power notices, and the resume from
// standby. When the display comes back or the machine resumes, the
// performance counter ran on meanwhile, so the reading under way spans the
// stall, and the schedule's deadline lies far behind. The motion carries on
// at its last rate, with no jump.
void RendererWindow::on_power_event(WPARAM event, LPARAM notice) {
    if (event == PBT_POWERSETTINGCHANGE) {
        common::PowerSetting setting;
        std::uint32_t value;
        if (!win32::PowerNotices::read(notice, setting, value))
            return;
        if (run_.power_savers.notice(setting, value)) {
            run_.loop.set_power_saver(run_.power_savers.on());
            return;
        }
        if (!run_.display_power.notice(setting, value))
            return;
        run_.loop.set_display_shows(run_.display_power.shows());
        if (!run_.display_power.shows()) {
            end_start_fade();  // nobody saw it; the display comes back to the picture as it is
            return;
        }
    } else if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND) {
        return;
    }
    scene::restart_reading(run_.frame_rate, run_.counter);
    run_.loop.restart_pacing();
}

}  // namespace renderer
