// The hidden saver-run window: starts the music and the renderer (or adopts
// a renderer left running by a front end that was ended), keeps the music
// going, releases it while nobody can see the saver (the display off, the
// session locked or disconnected), and ends the program when the renderer
// has gone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/power_settings.h"
#include "common/session_state.h"
#include "common/win32/handles.h"
#include "common/win32/power_settings.h"
#include "common/win32/session_state.h"
#include "common/win32/window_base.h"
#include "saver/music/background_music.h"
#include "saver/music/multimedia_seam.h"
#include "saver/music/music_player.h"
#include "saver/shared/settings.h"
#include "saver/startup/saver_run.h"

namespace startup {

struct SaverRunStart {
    // True for a start with the letter S, which hid the cursor; false for an
    // empty command line, which leaves the cursor alone.
    bool saver_mode = false;
    // Folder of the running front end, without a trailing backslash.
    std::string program_folder;
};

// Creates the window (never shown) and runs its load handler. Returns false
// when the window could not be created; the caller then ends the program.
// `settings` must live as long as the program.
bool load_saver_run_window(HINSTANCE instance, const shared::Settings& settings, const SaverRunStart& start);

// The front end's side of a full-screen run, as load_saver_run_window makes
// it for the program, where it lives until `end_program` ends the process.
// A test makes its own: over a seam that records, and with an end that
// returns, after which the window stays, its timers stopped, until the
// object goes.
class SaverRunWindow final : public win32::WindowBase {
public:
    // `settings` must outlive the window.
    SaverRunWindow(const shared::Settings& settings,
                   SaverRunStart start,
                   std::unique_ptr<music::MultimediaSeam> multimedia,
                   std::function<void()> end_program);

    bool create(HINSTANCE instance);

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
    void on_timer(WPARAM id);
    void on_power_event(WPARAM event, LPARAM notice);

    void Form_Load();
    bool adopt_renderer();
    bool start_renderer();
    bool renderer_running() const;
    bool renderer_window_shows() const;
    // The music follows whether anybody can see the saver.
    void follow_shows();
    void Timer1_Tick();
    void Timer2_Tick();
    void Timer3_Tick();
    void FadeTimer_Tick();
    void Form_QueryUnload();

    // Sets and kills the music's timers to match what the music wants now.
    void follow_music_timers();
    void set_timer(UINT_PTR id, UINT interval, bool enabled);

    SaverRunStart start_;
    std::unique_ptr<music::MultimediaSeam> multimedia_;
    music::MusicPlayer player_;
    music::BackgroundMusic music_;
    std::function<void()> end_program_;
    UINT_PTR timers_set_ = 0;               // bit per music timer id that is set
    win32::UniqueHandle renderer_process_;  // this run's renderer, started or adopted
    DWORD renderer_id_ = 0;                 // its process's identifier
    RendererWatch watch_;
    win32::PowerNotices power_notices_;
    win32::SessionNotices session_notices_;
    common::DisplayPower display_power_;
    common::SessionPresence session_;
    bool shows_ = true;  // what the music last followed
};

}  // namespace startup
