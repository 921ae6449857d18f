// One window of the renderer, from its making to its end: full screen over
// every monitor or framed at 1024 x 768, what it draws with (window_gl.h)
// and what it shows (monitor_views.h). Its procedure turns messages into
// calls on the run's parts: the keys and a close request end the loop, a
// size change restarts the frame rate, a settled display change ends the
// loop to make the full-screen window anew, power notices stop and resume
// the drawing.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "common/win32/power_notices.h"
#include "common/win32/window_base.h"
#include "renderer/monitor_views.h"
#include "renderer/win32/desktop_capture.h"
#include "renderer/win32/frame_loop.h"
#include "renderer/win32/gl/capture_tiles.h"
#include "renderer/win32/gl/window_gl.h"
#include "renderer/win32/run_parts.h"

namespace renderer {

class RendererWindow final : public win32::WindowBase, public LoopWindow {
public:
    // The window class, once per run.
    static bool register_class(HINSTANCE instance) noexcept;

    // A new window in the given mode, set up and paced, not yet shown. Null,
    // with the failed step's name in `failed_step`, when it cannot be made;
    // what was made by then is gone again.
    static std::unique_ptr<RendererWindow> make(RunParts& run, bool full_screen, const char*& failed_step) noexcept;

    void show(int show_command) noexcept { ShowWindow(hwnd(), show_command); }

    // While a new window cannot be made: this one shows black, still takes
    // keys, and ends the loop with LoopEnd::RetryDue after `seconds`.
    void hold_for_retry(double seconds) noexcept;

    // Whatever ended this window's loop ends the start's fade: the next
    // window shows everything at once. The captured desktop goes, its
    // textures with this window's context still current.
    void end_start_fade() noexcept;

    bool draws() const override { return active_; }
    HDC dc() const override { return gl_->dc(); }
    void draw_frame(FrameMarks* marks) override;

private:
    RendererWindow(RunParts& run, bool full_screen) noexcept : run_(run), full_screen_(full_screen) {}
    const char* create() noexcept;
    void begin_start_fade() noexcept;
    bool paint_start(HDC dc) const noexcept;
    void drop_desktop() noexcept;

    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
    void on_size(WPARAM kind, LPARAM size);
    void on_key_up(WPARAM key);
    void on_display_change();
    void on_timer(WPARAM timer);
    void on_power_event(WPARAM event, LPARAM notice);

    // Released in the reverse order, before the window (WindowBase's): the
    // notices, the capture's textures before the context they live in, the
    // context before the window it draws into.
    RunParts& run_;
    const bool full_screen_;
    std::vector<View> views_;
    std::unique_ptr<WindowGl> gl_;
    DesktopCapture desktop_;                       // what the monitors showed, until the fade has darkened it
    std::unique_ptr<CaptureTiles> desktop_tiles_;  // the same in gl_'s context
    win32::PowerNotices power_notices_;
    bool active_ = false;  // shown and not minimised: WM_SIZE decides
};

}  // namespace renderer
