#include "saver/startup/win32/saver_run_window.h"

#include <memory>
#include <vector>

#include "common/contract.h"
#include "common/win32/handles.h"
#include "common/win32/struct_sizes.h"
#include "common/win32/window_base.h"
#include "saver/music/background_music.h"
#include "saver/music/music_player.h"
#include "saver/music/win32/multimedia.h"
#include "saver/startup/saver_run.h"

namespace startup {

namespace {

constexpr char kClassName[] = "Ember_Lantern_S";

// The window's three timers, by their ids.
enum TimerId : UINT_PTR {
    Timer1 = 1,  // 1000 ms, music-file loop (MP3 only)
    Timer2 = 2,  // 200 ms, CD check (audio CD only)
    Timer3 = 3   // 50 ms, renderer watch (always)
};
constexpr UINT kTimer1Interval = 1000;
constexpr UINT kTimer2Interval = 200;
constexpr UINT kTimer3Interval = 50;

// The front end's side of a full-screen run. It lives until the program ends:
// Form_QueryUnload ends the process without returning.
class SaverRunWindow final : public win32::WindowBase {
public:
    SaverRunWindow(const shared::Settings& settings, const SaverRunStart& start)
        : start_(start),
          multimedia_(music::create_win32_multimedia_seam()),
          player_(*multimedia_, settings),
          music_(player_, settings) {}

    bool create(HINSTANCE instance) {
        win32::WindowClass wc;
        wc.name = kClassName;
        win32::register_window_class(instance, wc);
        // Never shown: it only carries the caption by which a second start
        // sees the run, and receives the timers.
        return create_window(0, kClassName, contract::kSaverRunCaption, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, instance) !=
               nullptr;
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        switch (message) {
            case WM_CREATE:
                Form_Load();
                return 0;
            case WM_TIMER:
                on_timer(wparam);
                return 0;
            case WM_CLOSE:
                Form_QueryUnload();
                return 0;
            case WM_QUERYENDSESSION:
                return TRUE;
            case WM_ENDSESSION:
                if (wparam)
                    Form_QueryUnload();
                return 0;
            default:
                return default_handling(message, wparam, lparam);
        }
    }

    void on_timer(WPARAM id) {
        switch (id) {
            case Timer1:
                Timer1_Tick();
                break;
            case Timer2:
                Timer2_Tick();
                break;
            case Timer3:
                Timer3_Tick();
                break;
            default:
                break;
        }
    }

    void Form_Load() {
        // Music first, so it is already playing when the picture appears.
        const music::BackgroundMusic::Timers timers = music_.Start();
        Timer2_Enabled(timers.cd_watch);
        if (timers.file_loop)
            SetTimer(hwnd(), Timer1, kTimer1Interval, nullptr);
        renderer_process_ = start_renderer();
        SetTimer(hwnd(), Timer3, kTimer3Interval, nullptr);
    }

    // The renderer's process, or none when it could not be started.
    win32::UniqueHandle start_renderer() {
        const std::string path = renderer_path(start_.program_folder);
        const std::string command_line = renderer_command_line(path);
        std::vector<char> mutable_command_line(command_line.begin(), command_line.end());
        mutable_command_line.push_back('\0');

        STARTUPINFOA startup{};
        EL_ASSERT_SHIPPED_SIZE(STARTUPINFOA, 68);
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // The application name is the full path, so the system never searches
        // for a program at a prefix of an unquoted path with blanks.
        if (!CreateProcessA(path.c_str(), mutable_command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process))
            return win32::UniqueHandle();
        CloseHandle(process.hThread);
        // Kept only to see whether the renderer still runs; it is never closed
        // by the front end.
        return win32::UniqueHandle(process.hProcess);
    }

    bool renderer_running() const {
        return renderer_process_ && WaitForSingleObject(renderer_process_.get(), 0) == WAIT_TIMEOUT;
    }

    void Timer1_Tick() { music_.FileTick(); }

    void Timer2_Tick() { Timer2_Enabled(music_.CdTick()); }

    void Timer3_Tick() {
        const bool window = FindWindowA(nullptr, contract::kRendererCaption) != nullptr;
        if (watch_.tick(window, renderer_running())) {
            KillTimer(hwnd(), Timer3);
            Form_QueryUnload();
        }
    }

    // Timer2's Enabled: the timer is set or killed only when it changes.
    void Timer2_Enabled(bool enabled) {
        if (enabled && !timer2_enabled_)
            SetTimer(hwnd(), Timer2, kTimer2Interval, nullptr);
        else if (!enabled && timer2_enabled_)
            KillTimer(hwnd(), Timer2);
        timer2_enabled_ = enabled;
    }

    [[noreturn]] void Form_QueryUnload() {
        Timer2_Enabled(false);
        KillTimer(hwnd(), Timer1);
        music_.End();
        // Undo the start-up's hiding once. Passing the kept count as the show
        // flag would hide the cursor further whenever that count is 0.
        if (start_.saver_mode)
            ShowCursor(TRUE);
        renderer_process_.reset();
        ExitProcess(0);
    }

    SaverRunStart start_;
    std::unique_ptr<music::MultimediaSeam> multimedia_;
    music::MusicPlayer player_;
    music::BackgroundMusic music_;
    bool timer2_enabled_ = false;
    win32::UniqueHandle renderer_process_;
    RendererWatch watch_;
};

}  // namespace

bool load_saver_run_window(HINSTANCE instance, const shared::Settings& settings, const SaverRunStart& start) {
    // Lives for the rest of the program, which ends from the window's own
    // handlers with ExitProcess: deliberately never destroyed, so no
    // destructor touches the music devices while the process goes down.
    auto* window = new SaverRunWindow(settings, start);
    return window->create(instance);
}

}  // namespace startup
