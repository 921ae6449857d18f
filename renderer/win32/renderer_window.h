// One window of the renderer, from its making to its end: full screen over
// every monitor or framed at 1024 x 768, what it draws with (window_gl.h) and
// what it shows (monitor_pictures.h). Its procedure only turns messages into
// events for the run (run.h), which decides what they do.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/pixel_rect.h"
#include "common/power_settings.h"
#include "common/win32/power_settings.h"
#include "common/win32/session_state.h"
#include "common/win32/window_base.h"
#include "renderer/monitor_pictures.h"
#include "renderer/win32/gl/window_gl.h"
#include "renderer/window_input.h"

namespace renderer {

class RendererWindow;

// What a window hands on to its run, one call per message.
class WindowEvents {
public:
    virtual void key_released(unsigned virtual_key) = 0;
    virtual void pointer(InputKind kind, int code, int x, int y) = 0;
    virtual void close_requested() = 0;
    virtual void resized(RendererWindow& window, int width, int height) = 0;
    virtual void moved(RendererWindow& window) = 0;
    virtual void display_changed(RendererWindow& window) = 0;
    virtual void power_notice(common::PowerSetting setting, std::uint32_t value) = 0;
    virtual void session_notice(std::uint32_t event) = 0;  // WM_WTSSESSION_CHANGE's code
    virtual void resumed() = 0;
    // WM_ERASEBKGND: true when the run painted the client area into `dc`.
    virtual bool paint_background(RendererWindow& window, HDC dc) = 0;

protected:
    ~WindowEvents() = default;
};

class RendererWindow final : public win32::WindowBase {
public:
    // The window class, once per run.
    static bool register_class(HINSTANCE instance) noexcept;

    // A new window over `area` (full screen; null: framed), showing `views`,
    // its context made and current (window_gl.h), listening to the power
    // and session notices; not yet shown. Null, with the failed step's name in
    // `failed_step`, when it cannot be made; what was made by then is gone
    // again.
    static std::unique_ptr<RendererWindow> make(WindowEvents& events,
                                                HINSTANCE instance,
                                                const common::PixelRect* area,
                                                std::vector<View> views,
                                                const GlApi& gl,
                                                const char*& failed_step) noexcept;

    void show(int show_command) noexcept { ShowWindow(hwnd(), show_command); }

    bool full_screen() const noexcept { return full_screen_; }
    bool active() const noexcept { return active_; }  // shown and not minimised
    std::vector<View>& views() noexcept { return views_; }
    WindowGl& gl() noexcept { return *gl_; }

    // While a new window cannot be made: shows black from now on, its
    // context current again.
    void hold_for_retry() noexcept;

private:
    RendererWindow(WindowEvents& events, bool full_screen, std::vector<View> views) noexcept;
    const char* create(HINSTANCE instance, const common::PixelRect* area, const GlApi& gl) noexcept;

    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
    void on_size(WPARAM kind, LPARAM size);
    void on_power_event(WPARAM event, LPARAM notice);

    // Released in the reverse order, before the window (WindowBase's): the
    // notices, then the context that draws into the window.
    WindowEvents& events_;
    const bool full_screen_;
    std::vector<View> views_;
    std::unique_ptr<WindowGl> gl_;
    win32::PowerNotices power_notices_;
    win32::SessionNotices session_notices_;
    bool active_ = false;  // WM_SIZE decides
};

}  // namespace renderer
