// The renderer's run, from its start to its end. It owns what lasts across
// every window: the GL table, the clock, the animation (the frame rate and
// every monitor's picture), the display's, the session's and the power
// plan's state, the
// start's fade with its capture of the desktop, and the message loop with
// its pacer. It drives one window at a time through the scene's entry
// points: gl_init when a window is set up, gl_resize on every size change,
// gl_draw once a frame, gl_free before the window goes. A window only hands
// its messages on (WindowEvents); what they do is decided here and in the
// logic beneath (window_life.h, window_input.h, power_settings.h,
// start_fade.h).
//
// The windows follow one another as WindowLife decides: a new window is made
// while the one it replaces still stands, which goes only once the new one
// shows, so that a window with the caption is there at every moment (the
// saver ends its run when the caption has been missing for 150 ms).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "common/power_settings.h"
#include "common/session_state.h"
#include "renderer/monitor_pictures.h"
#include "renderer/scene/scene_state.h"
#include "renderer/start_fade.h"
#include "renderer/win32/desktop_capture.h"
#include "renderer/win32/frame_loop.h"
#include "renderer/win32/gl/capture_tiles.h"
#include "renderer/win32/gl/gl_api.h"
#include "renderer/win32/pacing/performance_counter.h"
#include "renderer/win32/renderer_window.h"
#include "renderer/win32/run_options.h"
#include "renderer/window_life.h"

namespace renderer {

// The program: returns its exit code (1 after Esc or a close request, 0 when
// a set-up step failed). Set-up failures show nothing.
int run_renderer(HINSTANCE instance, int show_command);

class Run final : public WindowEvents, public LoopWindow {
public:
    // `seed`: the random numbers' for the run, the time at its start.
    Run(HINSTANCE instance, const RunOptions& options, std::uint32_t seed);
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // The run's windows one after another; returns the program's exit code.
    int go(int show_command);

    // What the windows hand on.
    void key_released(unsigned virtual_key) override;
    void pointer(InputKind kind, int code, int x, int y) override;
    void close_requested() override;
    void resized(RendererWindow& window, int width, int height) override;
    void moved(RendererWindow& window) override;
    void display_changed(RendererWindow& window) override;
    void power_notice(common::PowerSetting setting, std::uint32_t value) override;
    void session_notice(std::uint32_t event) override;
    void resumed() override;
    bool paint_background(RendererWindow& window, HDC dc) override;

    // What the loop draws: the current window's frames.
    bool draws() const override;
    void draw_frame(FrameMarks* marks) override;
    void swap() override;

private:
    double now();  // seconds of the performance counter
    // Somebody can see the picture: the display shows and the session is
    // neither locked nor disconnected.
    bool shows() const { return display_power_.shows() && session_.seen(); }
    void shows_changed();
    bool paced(const RendererWindow& window) const { return loop_.paced_window() == window.hwnd(); }
    std::unique_ptr<RendererWindow> make_window(bool full_screen, const char*& failed_step);
    void retire(std::unique_ptr<RendererWindow> window);
    void begin_start_fade();
    void end_start_fade();
    void end_loop(LoopEnd why);

    HINSTANCE instance_;
    RunOptions options_;
    GlApi gl_;  // loaded once, before the first window
    PerformanceCounter counter_;
    scene::FrameRate frame_rate_;         // scales every picture's motion; its text shows on the primary
    MonitorPictures pictures_;            // the primary's from gl_data, the others' as their monitors are first seen
    common::DisplayPower display_power_;  // nothing is drawn while the display is off
    common::SessionPresence session_;     // nothing is drawn either behind the lock screen or another session
    common::PowerSavers power_savers_;    // the loop keeps to the modest rate while one is on
    FrameLoop loop_;
    WindowLife life_;
    ContextWatch context_watch_;  // the current window's
    std::optional<LoopEnd> end_;  // why the loop under way ends, once something has ended it
    bool first_window_ = true;    // a full-screen first window fades in
    StartFade fade_;              // ended by whatever ends its window's loop, or the display going off
    DesktopCapture desktop_;      // what the monitors showed, until the fade has darkened it
    // Released in the reverse order: the capture's textures before the
    // window whose context they live in.
    std::unique_ptr<RendererWindow> window_;
    std::unique_ptr<CaptureTiles> desktop_tiles_;
};

}  // namespace renderer
