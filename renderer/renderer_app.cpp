#include "renderer/renderer_app.h"

#include <ctime>
#include <memory>

#include "common/contract.h"
#include "common/win32/handles.h"
#include "common/win32/window_base.h"
#include "renderer/font_lists.h"
#include "renderer/frame_loop.h"
#include "renderer/gl_api.h"
#include "renderer/gl_context.h"
#include "renderer/gl_scene.h"
#include "renderer/monitor_covers.h"
#include "renderer/performance_counter.h"
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

class Renderer final : public win32::WindowBase {
public:
    Renderer(HINSTANCE instance, int show_command, const BenchOptions& bench)
        : instance_(instance),
          show_command_(show_command),
          cover_monitors_(bench.cover_monitors),
          loop_(gl_, counter_, bench.stats, bench.pace) {}
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    int run();

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;

    bool register_class();
    const char* create_main_window(bool full_screen);  // failed step, or null
    const char* set_up();                              // failed step, or null
    void on_size(WPARAM kind, LPARAM size);
    void on_key_up(WPARAM key);
    void on_display_change();
    void on_power_event(WPARAM event);
    void tear_down();

    HINSTANCE instance_;
    int show_command_;
    bool cover_monitors_;
    PerformanceCounter counter_;
    GlScene scene_;
    GlApi gl_;
    FrameLoop loop_;

    HWND main_window_ = nullptr;
    MonitorCovers covers_;  // the other monitors, in full-screen mode only
    win32::WindowDc window_dc_;
    UniqueGlContext gl_context_;
    bool recreate_window_ = false;
    bool full_screen_ = false;
    bool keep_mode_ = false;  // the next window is made in the same mode (the display changed)
    WPARAM exit_code_ = 0;
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

    bool full_screen = false;
    do {
        recreate_window_ = false;
        if (!keep_mode_)
            full_screen = !full_screen;
        keep_mode_ = false;
        full_screen_ = full_screen;
        if (const char* failed = create_main_window(full_screen)) {
            report_error(failed);
            return 0;
        }
        ShowWindow(main_window_, show_command_);
        if (full_screen && cover_monitors_)
            covers_.cover_other_monitors(instance_, main_window_);
        exit_code_ = loop_.run(scene_, window_dc_.get());
        tear_down();
    } while (recreate_window_);
    return static_cast<int>(exit_code_);
}

bool Renderer::register_class() {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    return win32::register_window_class(instance_, wc);
}

const char* Renderer::create_main_window(bool full_screen) {
    DWORD style = WS_OVERLAPPEDWINDOW;
    scene_.window_width = kWindowedWidth;
    scene_.window_height = kWindowedHeight;
    if (full_screen) {
        const win32::WindowDc screen(nullptr);
        if (!screen)
            return "GetDC";
        scene_.window_width = GetDeviceCaps(screen.get(), HORZRES);
        scene_.window_height = GetDeviceCaps(screen.get(), VERTRES);
        style = WS_POPUP;
    }
    // A pop-up window given CW_USEDEFAULT is placed at 0, 0.
    main_window_ = create_window(0, kClassName, contract::kRendererCaption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                 scene_.window_width, scene_.window_height, nullptr, instance_);
    return main_window_ ? nullptr : "CreateWindowEx";
}

const char* Renderer::set_up() {
    gl_context_.reset();
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
    loop_.start_pacing(hwnd(), dc);
    return nullptr;
}

void Renderer::tear_down() {
    scene_.ready = false;
    scene_.quadric.reset();  // the quadric made for this window
    if (gl_.wglMakeCurrent)
        gl_.wglMakeCurrent(nullptr, nullptr);
    window_dc_ = win32::WindowDc();
    gl_context_.reset();
    covers_.remove();
    DestroyWindow(main_window_);
    main_window_ = nullptr;
}

LRESULT Renderer::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    const int x = LOWORD(lparam), y = HIWORD(lparam);
    switch (message) {
        case WM_CREATE:
            if (const char* failed = set_up()) {
                report_error(failed);
                PostQuitMessage(0);
            }
            return 0;
        case WM_SIZE:
            on_size(wparam, lparam);
            return 0;
        case WM_CLOSE:
            PostQuitMessage(1);  // the loop's tear-down destroys the window
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
        case WM_POWERBROADCAST:
            on_power_event(wparam);
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

// A new resolution or a monitor plugged in or out: the full-screen window is
// made anew at the screen's new size, with the other monitors covered again,
// as Tab does but staying in full screen. The framed window keeps its size.
void Renderer::on_display_change() {
    if (!full_screen_ || recreate_window_)  // a Tab already on its way decides the next window
        return;
    keep_mode_ = true;
    recreate_window_ = true;
    PostQuitMessage(1);
}

// The performance counter ran on through standby: the reading under way
// spans the sleep, and the schedule's deadline lies far behind.
void Renderer::on_power_event(WPARAM event) {
    if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND)
        return;
    scene::restart_reading(scene_.animation, counter_);
    loop_.restart_pacing();
}

void Renderer::on_key_up(WPARAM key) {
    switch (classify_key_release(static_cast<unsigned>(key))) {
        case KeyRelease::SwitchMode:
            keep_mode_ = false;  // the user's Tab wins over a display change on its way
            recreate_window_ = true;
            PostQuitMessage(1);
            break;
        case KeyRelease::Quit:
            PostQuitMessage(1);
            break;
        case KeyRelease::Input:
            gl_input(scene_.animation, InputKind::KeyUp, static_cast<int>(key), -1, -1);
            break;
    }
}

}  // namespace

int run_renderer(HINSTANCE instance, int show_command, const BenchOptions& bench) {
    // Large members (the scene, the GL table) live on the heap, not the stack.
    const auto renderer = std::make_unique<Renderer>(instance, show_command, bench);
    return renderer->run();
}

}  // namespace renderer
