#include "renderer/win32/renderer_app.h"

#include <ctime>
#include <functional>
#include <memory>
#include <utility>

#include "common/contract.h"
#include "common/power_settings.h"
#include "common/win32/handles.h"
#include "common/win32/power_notices.h"
#include "common/win32/window_base.h"
#include "renderer/loop_state.h"
#include "renderer/monitor_layout.h"
#include "renderer/win32/font_lists.h"
#include "renderer/win32/frame_loop.h"
#include "renderer/win32/gl_api.h"
#include "renderer/win32/gl_context.h"
#include "renderer/win32/gl_scene.h"
#include "renderer/win32/monitor_layout.h"
#include "renderer/win32/performance_counter.h"
#include "renderer/window_input.h"

namespace renderer {
namespace {

constexpr char kClassName[] = "opengl demo";
constexpr int kWindowedWidth = 1024;  // outer size of the framed window
constexpr int kWindowedHeight = 768;

// Failures are silent; the step's name only reaches a debugger.
void report_error(const char* step) {
    OutputDebugStringA("Ember_Lantern_VC: set-up failed at ");
    OutputDebugStringA(step);
    OutputDebugStringA("\n");
}

constexpr UINT_PTR kSettleTimer = 1;  // a display change has settled: make the full-screen window anew
constexpr UINT kSettleMs = 100;       // monitors report a change in bursts as they come and go
constexpr UINT_PTR kRetryTimer = 2;   // try a failed set-up again
constexpr UINT kRetryMs = 500;
// After a display change the monitor may be gone for a moment (DisplayPort
// monitors drop off as they sleep and come back): a set-up that fails within
// this time is tried again rather than ending the saver.
constexpr double kRecoverySeconds = 5.0;

class Renderer final : public win32::WindowBase {
public:
    Renderer(HINSTANCE instance, int show_command, const BenchOptions& bench)
        : instance_(instance),
          show_command_(show_command),
          fail_set_up_(bench.fail_set_up),
          loop_(gl_, counter_, bench) {}
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    int run();

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;

    bool register_class();
    const char* create_main_window(bool full_screen);  // failed step, or null
    const char* set_up();                              // failed step, or null
    void on_create();
    void try_set_up();
    void release_gl();
    void on_size(WPARAM kind, LPARAM size);
    void on_key_up(WPARAM key);
    void on_display_change();
    void on_timer(WPARAM timer);
    void on_power_event(WPARAM event, LPARAM notice);
    void end_loop(LoopEnd reason);
    bool recovering();
    void wait_before_retry();
    void tear_down();

    HINSTANCE instance_;
    int show_command_;
    std::function<const char*()> fail_set_up_;  // the tests' stand-in for a monitor that is gone
    PerformanceCounter counter_;
    GlScene scene_;
    GlApi gl_;
    FrameLoop loop_;

    HWND main_window_ = nullptr;
    win32::WindowDc window_dc_;
    UniqueGlContext gl_context_;
    win32::PowerNotices power_notices_;
    common::DisplayPower display_power_;  // for the whole run: a new window starts dark if the display is off
    bool full_screen_ = false;
    LoopEnd loop_end_ = LoopEnd::None;   // why the current window's loop ends
    const char* failed_step_ = nullptr;  // the set-up step of the current window that failed
    std::int64_t recover_until_ = 0;     // counter ticks: a failed set-up before then is tried again
};

int Renderer::run() {
    // gl_data: the animation state for the whole run.
    scene_.random.seed(static_cast<std::uint32_t>(std::time(nullptr)));
    scene_.animation = scene::gl_data(scene_.random);

    if (!register_class()) {
        report_error("RegisterClassEx");
        return 0;
    }
    // Before the first pixel-format call, which would otherwise load opengl32
    // by the ordinary search.
    if (!gl_.load()) {
        report_error("LoadLibraryEx");
        return 0;
    }

    bool full_screen = true;
    for (;;) {
        loop_end_ = LoopEnd::None;
        failed_step_ = nullptr;
        full_screen_ = full_screen;
        if (const char* failed = create_main_window(full_screen))
            failed_step_ = failed;
        if (main_window_) {
            ShowWindow(main_window_, show_command_);
            loop_.run(scene_);
            tear_down();
        }
        switch (loop_end_) {
            case LoopEnd::Quit:
                return 1;
            case LoopEnd::SwitchMode:
                full_screen = !full_screen;
                break;
            case LoopEnd::Recreate:
                break;
            case LoopEnd::None:  // a set-up step failed
                if (recovering()) {
                    wait_before_retry();
                    break;
                }
                report_error(failed_step_ ? failed_step_ : "CreateWindowEx");
                return 0;
        }
    }
}

bool Renderer::register_class() {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    return win32::register_window_class(instance_, wc);
}

// Full screen: one window over every monitor, with a picture of its own on
// each (monitor_layout.h); top-most where it spans several, so that no
// monitor's task bar shows through. Framed: 1024 x 768, the primary's
// picture alone, the other monitors showing what they showed before.
const char* Renderer::create_main_window(bool full_screen) {
    DWORD style = WS_OVERLAPPEDWINDOW, ex_style = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    scene_.window_width = kWindowedWidth;
    scene_.window_height = kWindowedHeight;
    FullScreenLayout layout;
    if (full_screen) {
        layout = full_screen_layout(list_monitors());
        if (layout.views.empty())
            return "GetDC";
        x = layout.window.left;
        y = layout.window.top;
        scene_.window_width = layout.window.width();
        scene_.window_height = layout.window.height();
        style = WS_POPUP;
        if (layout.views.size() > 1)
            ex_style = WS_EX_TOPMOST;
    }
    set_monitor_views(scene_, std::move(layout.views));
    main_window_ = create_window(ex_style, kClassName, contract::kRendererCaption, style, x, y, scene_.window_width,
                                 scene_.window_height, nullptr, instance_);
    return main_window_ ? nullptr : "CreateWindowEx";
}

const char* Renderer::set_up() {
    if (fail_set_up_) {
        if (const char* step = fail_set_up_())
            return step;
    }
    window_dc_ = win32::WindowDc(hwnd());
    if (!window_dc_)
        return "GetDC";
    const HDC dc = window_dc_.get();
    if (const char* failed = make_gl_context(gl_, dc, gl_context_))
        return failed;

    scene_.font_list_base = gl_.glGenLists(kFontLists);
    make_font_lists(gl_, dc, scene_.font_list_base);

    if (gl_init(gl_, scene_) != 0)
        return "gl_init";
    gl_resize(gl_, scene_, counter_);
    loop_.start_pacing(hwnd(), dc, !full_screen_);
    return nullptr;
}

void Renderer::on_create() {
    loop_.set_display_shows(display_power_.shows());
    power_notices_.listen(hwnd());
    try_set_up();
}

// A set-up that fails right after a display change is tried again on a
// timer, in the same window, which takes keys meanwhile; otherwise the
// program ends at once.
void Renderer::try_set_up() {
    release_gl();
    failed_step_ = set_up();
    if (!failed_step_)
        return;
    if (recovering())
        SetTimer(hwnd(), kRetryTimer, kRetryMs, nullptr);
    else
        PostQuitMessage(0);
}

// What a set-up made, in the order it can be undone.
void Renderer::release_gl() {
    scene_.ready = false;
    scene_.quadric.reset();  // the quadric made for this window
    if (gl_.wglMakeCurrent)
        gl_.wglMakeCurrent(nullptr, nullptr);
    window_dc_ = win32::WindowDc();
    gl_context_.reset();
}

void Renderer::tear_down() {
    release_gl();
    power_notices_.stop();
    DestroyWindow(main_window_);
    main_window_ = nullptr;
}

LRESULT Renderer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    const int x = LOWORD(lparam), y = HIWORD(lparam);
    switch (message) {
        case WM_CREATE:
            on_create();
            return 0;
        case WM_SIZE:
            on_size(wparam, lparam);
            return 0;
        case WM_MOVE:
            loop_.follow_display(hwnd(), false);  // another monitor may have another rate
            return 0;
        case WM_DPICHANGED:
            return 0;  // the framed window keeps its 1024 x 768 pixels; the full-screen one fills its monitor
        case WM_CLOSE:
            end_loop(LoopEnd::Quit);  // the loop's tear-down destroys the window
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
            gl_input(scene_.animation, InputKind::MouseMove, mouse_move_button(wparam), x, y);
            return 0;
        case WM_LBUTTONDOWN:
            gl_input(scene_.animation, InputKind::ButtonDown, 0, x, y);
            return 0;
        case WM_LBUTTONUP:
            gl_input(scene_.animation, InputKind::ButtonUp, 0, x, y);
            return 0;
        case WM_RBUTTONDOWN:
            gl_input(scene_.animation, InputKind::ButtonDown, 1, x, y);
            return 0;
        case WM_RBUTTONUP:
            gl_input(scene_.animation, InputKind::ButtonUp, 1, x, y);
            return 0;
        default:
            break;
    }
    return default_handling(message, wparam, lparam);
}

void Renderer::on_size(WPARAM kind, LPARAM size) {
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED)
        loop_.set_window_active(true);
    else if (kind == SIZE_MINIMIZED)
        loop_.set_window_active(false);
    scene_.window_width = LOWORD(size);
    scene_.window_height = HIWORD(size);
    gl_resize(gl_, scene_, counter_);
    loop_.restart_pacing();
}

// A new resolution, a monitor plugged in or out, another refresh rate: the
// rate is read again in both modes, and once the changes have settled the
// full-screen window is made anew over the monitors as they are now, each
// with its picture (a monitor seen before carries on with its own). The
// framed window keeps its size.
void Renderer::on_display_change() {
    loop_.follow_display(hwnd(), true);
    if (full_screen_)
        SetTimer(hwnd(), kSettleTimer, kSettleMs, nullptr);  // a later change in the burst starts it again
}

void Renderer::on_timer(WPARAM timer) {
    if (timer != kSettleTimer && timer != kRetryTimer)
        return;
    KillTimer(hwnd(), timer);
    if (timer == kRetryTimer) {
        try_set_up();
        return;
    }
    recover_until_ = counter_.ticks() + static_cast<std::int64_t>(kRecoverySeconds * counter_.ticks_per_second());
    end_loop(LoopEnd::Recreate);
}

// The display's power notices, and the resume from standby: the performance
// counter ran on meanwhile, so the reading under way spans the stall, and the
// schedule's deadline lies far behind. The motion carries on at its last
// rate, with no jump.
void Renderer::on_power_event(WPARAM event, LPARAM notice) {
    if (event == PBT_POWERSETTINGCHANGE) {
        common::PowerSetting setting;
        std::uint32_t value;
        if (!win32::PowerNotices::read(notice, setting, value) || !display_power_.notice(setting, value))
            return;
        loop_.set_display_shows(display_power_.shows());
        if (!display_power_.shows())
            return;
    } else if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND) {
        return;
    }
    scene::restart_reading(scene_.animation, counter_);
    loop_.restart_pacing();
}

void Renderer::on_key_up(WPARAM key) {
    switch (classify_key_release(static_cast<unsigned>(key))) {
        case KeyRelease::SwitchMode:
            end_loop(LoopEnd::SwitchMode);
            break;
        case KeyRelease::Quit:
            end_loop(LoopEnd::Quit);
            break;
        case KeyRelease::Input:
            gl_input(scene_.animation, InputKind::KeyUp, static_cast<int>(key), -1, -1);
            break;
    }
}

void Renderer::end_loop(LoopEnd reason) {
    loop_end_ = stronger(loop_end_, reason);
    PostQuitMessage(1);
}

bool Renderer::recovering() {
    return counter_.ticks() < recover_until_;
}

// No window could be made: wait a little before the next try, taking
// whatever arrives meanwhile.
void Renderer::wait_before_retry() {
    MsgWaitForMultipleObjectsEx(0, nullptr, kRetryMs, QS_ALLINPUT, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int run_renderer(HINSTANCE instance, int show_command, const BenchOptions& bench) {
    // Large members (the scene, the GL table) live on the heap, not the stack.
    const auto renderer = std::make_unique<Renderer>(instance, show_command, bench);
    return renderer->run();
}

}  // namespace renderer
