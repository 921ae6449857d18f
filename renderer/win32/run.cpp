#include "renderer/win32/run.h"

#include <ctime>
#include <new>
#include <utility>

#include "renderer/monitor_layout.h"
#include "renderer/win32/gl/scene_state.h"
#include "renderer/win32/monitor_layout.h"
#include "renderer/window_input.h"

namespace renderer {
namespace {

// Failures are silent; the step's name only reaches a debugger.
void report_error(const char* step) {
    OutputDebugStringA("Ember_Lantern_VC: set-up failed at ");
    OutputDebugStringA(step);
    OutputDebugStringA("\n");
}

}  // namespace

int run_renderer(HINSTANCE instance, int show_command, const RunOptions& options) {
    // Large members (the GL table, the loop) live on the heap, not the stack.
    const auto run = std::make_unique<Run>(instance, options, static_cast<std::uint32_t>(std::time(nullptr)));
    return run->go(show_command);
}

int run_renderer(HINSTANCE instance, int show_command) {
    return run_renderer(instance, show_command, RunOptions{});
}

Run::Run(HINSTANCE instance, const RunOptions& options, std::uint32_t seed)
    : instance_(instance),
      options_(options),
      pictures_(seed),
      loop_(gl_, counter_, options.pace, options.stats, power_savers_) {}

double Run::now() {
    return static_cast<double>(counter_.ticks()) / static_cast<double>(counter_.ticks_per_second());
}

int Run::go(int show_command) {
    if (!RendererWindow::register_class(instance_)) {
        report_error("RegisterClassEx");
        return 0;
    }
    // Before the first pixel-format call, which would otherwise load opengl32
    // by the ordinary search.
    if (!gl_.load()) {
        report_error("LoadLibraryEx");
        return 0;
    }
    for (NextStep step = life_.start();;) {
        switch (step) {
            case NextStep::MakeWindow: {
                const char* failed = nullptr;
                std::unique_ptr<RendererWindow> next = make_window(life_.full_screen(), failed);
                if (!next) {
                    step = life_.set_up_failed(failed, now(), window_ != nullptr);
                    continue;
                }
                next->show(show_command);
                retire(std::exchange(window_, std::move(next)));  // the window it replaces goes only now
                context_watch_ = ContextWatch();
                break;
            }
            case NextStep::WaitToRetry:
                window_->hold_for_retry();
                loop_.end_after(WindowLife::kRetrySeconds, LoopEnd::RetryDue);
                break;
            case NextStep::Quit:
                retire(std::move(window_));
                return 1;
            case NextStep::GiveUp:
                retire(std::move(window_));
                report_error(life_.failed_step());
                return 0;
        }
        const std::optional<LoopEnd> timed = loop_.run(*this);
        end_start_fade();
        // A quit message nobody here posted ends the program.
        const LoopEnd why = timed ? *timed : end_.value_or(LoopEnd::Quit);
        end_.reset();
        step = life_.loop_ended(why, now());
    }
}

// Full screen: the monitors as they are now, each view with its monitor's
// picture (a monitor seen before carries on with its own), read once for
// the window; the first such window also captures what they show, before
// anything of the run covers them. Framed: the primary's picture alone. The
// pacer starts for the new window only once it is set up, so that nothing
// the window's making sends touches the pacing of the one it replaces.
std::unique_ptr<RendererWindow> Run::make_window(bool full_screen, const char*& failed_step) {
    FullScreenLayout layout;
    const bool fades = std::exchange(first_window_, false) && full_screen;
    if (full_screen) {
        layout = full_screen_layout(list_monitors());
        if (layout.views.empty()) {
            failed_step = "GetDC";
            return nullptr;
        }
        // Only a capture of the user's own desktop is worth its memory (up to
        // 66 MB for two 4K monitors); elsewhere the run starts from black.
        if (fades && fades_from_desktop(own_desktop_name(),
                                        options_.input_desktop ? options_.input_desktop() : input_desktop_name()))
            desktop_ = DesktopCapture::take(layout.window);
    }
    std::unique_ptr<RendererWindow> window = RendererWindow::make(
        *this, instance_, full_screen ? &layout.window : nullptr, views_of(layout.views, pictures_), gl_, failed_step);
    if (!window)
        return nullptr;
    if (options_.fail_set_up)
        failed_step = options_.fail_set_up();
    if (!failed_step && gl_init(gl_, window->gl().scene()) != 0)
        failed_step = "gl_init";
    if (failed_step) {
        retire(std::move(window));
        return nullptr;
    }
    if (fades)
        begin_start_fade();
    RECT client{};
    GetClientRect(window->hwnd(), &client);
    gl_resize(window->views(), client.right, client.bottom, frame_rate_, counter_);
    loop_.start_pacing(window->hwnd(), window->gl(), !full_screen);
    return window;
}

void Run::retire(std::unique_ptr<RendererWindow> window) {
    if (window)
        gl_free(gl_, window->gl().scene(), window->gl().current());
}

// From the desktop as it was where it could be captured and drawn back in
// the first window's context, otherwise from black.
void Run::begin_start_fade() {
    if (desktop_) {
        desktop_tiles_.reset(new (std::nothrow)
                                 CaptureTiles(gl_, desktop_.pixels(), desktop_.width(), desktop_.height()));
        if (desktop_tiles_ && desktop_tiles_->empty())
            desktop_tiles_.reset();
    }
    if (!desktop_tiles_)
        desktop_ = DesktopCapture();
    fade_ = StartFade(desktop_tiles_ != nullptr);
}

// Whatever ends the first window's loop, or the display going off, ends the
// fade: the next window, or the display coming back, shows everything at
// once. The capture goes, its textures with that window's context current.
void Run::end_start_fade() {
    fade_.end();
    desktop_tiles_.reset();
    desktop_ = DesktopCapture();
}

void Run::end_loop(LoopEnd why) {
    end_ = end_ ? stronger(*end_, why) : why;
    PostQuitMessage(0);
}

void Run::key_released(unsigned virtual_key) {
    if (const std::optional<LoopEnd> end = loop_end_for_key(virtual_key))
        end_loop(*end);
    else
        gl_input(frame_rate_, InputKind::KeyUp, static_cast<int>(virtual_key), -1, -1);
}

void Run::pointer(InputKind kind, int code, int x, int y) {
    gl_input(frame_rate_, kind, code, x, y);
}

void Run::close_requested() {
    end_loop(LoopEnd::Quit);
}

void Run::resized(RendererWindow& window, int width, int height) {
    gl_resize(window.views(), width, height, frame_rate_, counter_);
    if (paced(window))
        loop_.restart_pacing();
}

void Run::moved(RendererWindow& window) {
    if (paced(window))
        loop_.follow_display(false);  // another monitor may have another rate
}

// A new resolution, a monitor plugged in or out, another refresh rate. Full
// screen: once the changes have settled, the loop ends and the window is
// made anew over the monitors as they are then; only that window reads them
// and the rate. The framed window keeps its size and reads the rate again at
// once.
void Run::display_changed(RendererWindow& window) {
    if (!paced(window))
        return;
    if (window.full_screen())
        loop_.end_after(WindowLife::kSettleSeconds, LoopEnd::DisplaySettled);
    else
        loop_.follow_display(true);
}

// The power plan's savers set the loop's rate; the display's state whether
// anything is drawn.
void Run::power_notice(common::PowerSetting setting, std::uint32_t value) {
    if (power_savers_.notice(setting, value)) {
        loop_.power_savers_changed();
        return;
    }
    const bool showed = shows();
    if (display_power_.notice(setting, value) && shows() != showed)
        shows_changed();
}

void Run::session_notice(std::uint32_t event) {
    const bool showed = shows();
    if (session_.notice(event) && shows() != showed)
        shows_changed();
}

// Nobody saw the fade while the picture was hidden: it comes back to the
// picture as it is, as after a resume.
void Run::shows_changed() {
    if (shows())
        resumed();
    else
        end_start_fade();
}

// When the display comes back or the machine resumes, the performance
// counter ran on meanwhile, so the reading under way spans the stall, and
// the schedule's deadline lies far behind. The motion carries on at its last
// rate, with no jump.
void Run::resumed() {
    scene::restart_reading(frame_rate_, counter_);
    loop_.restart_pacing();
}

// Between a window's showing and its first frame, during the fade: the
// desktop as captured, or black, instead of the class's grey background.
bool Run::paint_background(RendererWindow& window, HDC dc) {
    if (!fade_.running())
        return false;
    if (desktop_) {
        desktop_.paint(dc);
    } else {
        RECT client{};
        GetClientRect(window.hwnd(), &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    return true;
}

bool Run::draws() const {
    return window_ && window_->active() && shows();
}

// A driver reset, or a driver updated under the program, leaves a context
// whose swaps fail (some drivers end the program instead, and the saver then
// ends the run). Once they have kept failing for a while, or at once where
// the driver reports the reset, the window's loop ends and a new window and
// context are made, as after a display change; the picture carries on where
// it was.
void Run::swap() {
    bool shown = SwapBuffers(window_->gl().dc()) != FALSE;
    if (options_.fail_swap && options_.fail_swap())
        shown = false;
    if (shown)
        life_.window_drew();
    if (context_watch_.swapped(shown, now()) || window_->gl().was_reset())
        end_loop(LoopEnd::ContextLost);
}

void Run::draw_frame(FrameMarks* marks) {
    const FadeLevels levels = fade_.frame(counter_.ticks(), counter_.ticks_per_second());
    gl_draw(gl_, window_->gl().scene(), window_->views(), levels, desktop_tiles_.get(), frame_rate_, counter_, marks);
    if (desktop_tiles_ && fade_.desktop_done()) {
        desktop_tiles_.reset();  // the fade costs nothing from here on
        desktop_ = DesktopCapture();
    }
    if (options_.on_frame)
        options_.on_frame(pictures_.primary(), frame_rate_, levels);
}

}  // namespace renderer
