#include "saver/startup/win32/saver_run_window.h"

#include <utility>
#include <vector>

#include "common/contract.h"
#include "common/win32/struct_sizes.h"
#include "saver/music/win32/music_player.h"

namespace startup {

namespace {

constexpr char kClassName[] = "Ember_Lantern_S";

// The window's timers, by their ids.
enum TimerId : UINT_PTR {
    Timer1 = 1,    // 1000 ms, music-file loop (MP3 only)
    Timer2 = 2,    // 200 ms, CD check (audio CD only)
    Timer3 = 3,    // 50 ms, renderer watch (always)
    FadeTimer = 4  // 50 ms, the music's fade-in (a file whose device takes a volume)
};
constexpr UINT kTimer1Interval = 1000;
constexpr UINT kTimer2Interval = 200;
constexpr UINT kTimer3Interval = 50;
constexpr UINT kFadeTimerInterval = 50;

}  // namespace

SaverRunWindow::SaverRunWindow(const shared::Settings& settings,
                               SaverRunStart start,
                               std::unique_ptr<music::MultimediaSeam> multimedia,
                               std::function<void()> end_program)
    : start_(std::move(start)),
      multimedia_(std::move(multimedia)),
      player_(*multimedia_, settings),
      music_(player_, settings, [] { return static_cast<std::uint32_t>(GetTickCount()); }),
      end_program_(std::move(end_program)) {}

bool SaverRunWindow::create(HINSTANCE instance) {
    win32::WindowClass wc;
    wc.name = kClassName;
    win32::register_window_class(instance, wc);
    // Never shown: it only carries the caption by which a second start sees
    // the run, and receives the timers and the power notices.
    return create_window(0, kClassName, contract::kSaverRunCaption, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, instance) !=
           nullptr;
}

LRESULT SaverRunWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    switch (message) {
        case WM_CREATE:
            Form_Load();
            return 0;
        case WM_TIMER:
            on_timer(wparam);
            return 0;
        case WM_POWERBROADCAST:
            on_power_event(wparam, lparam);
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (session_.notice(static_cast<std::uint32_t>(wparam)))
                follow_shows();
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

void SaverRunWindow::on_timer(WPARAM id) {
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
        case FadeTimer:
            FadeTimer_Tick();
            break;
        default:
            break;
    }
}

// Windows turns the display off on its power plan's timer while a saver
// runs. An open audio stream keeps the machine from sleeping, so the music
// is released while the display is off and starts again when it shows.
void SaverRunWindow::on_power_event(WPARAM event, LPARAM notice) {
    common::PowerSetting setting;
    std::uint32_t value;
    if (event != PBT_POWERSETTINGCHANGE || !win32::PowerNotices::read(notice, setting, value) ||
        !display_power_.notice(setting, value))
        return;
    follow_shows();
}

// The same as for a display that is off: behind a lock screen or another
// session nobody hears the music either, and a display that comes on at the
// sign-in screen must not start it again there.
void SaverRunWindow::follow_shows() {
    const bool shows = display_power_.shows() && session_.seen();
    if (shows == shows_)
        return;
    shows_ = shows;
    music_.FollowDisplay(shows);
    follow_music_timers();
}

void SaverRunWindow::Form_Load() {
    // The system answers a registration with each setting's current value,
    // so a display already off is known before any music starts.
    power_notices_.listen(hwnd());
    session_notices_.listen(hwnd());
    // Music first, so it is already playing when the picture appears.
    shows_ = display_power_.shows() && session_.seen();
    if (shows_)
        music_.Start();
    follow_music_timers();
    if (!adopt_renderer())
        start_renderer();
    SetTimer(hwnd(), Timer3, kTimer3Interval, nullptr);
}

// A renderer already showing has no front end: this run holds the run's
// lock, so the one that started it was ended (by Task Manager, or by a crash
// in a decoder that MCI loaded). The run plays the music, watches that
// renderer, and ends when it goes: a second renderer over it would need a
// second Esc, and its music would play on until both were closed.
bool SaverRunWindow::adopt_renderer() {
    const HWND window = FindWindowA(nullptr, contract::kRendererCaption);
    DWORD id = 0;
    if (!window || !GetWindowThreadProcessId(window, &id) || id == 0)
        return false;
    win32::UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!process)
        return false;
    renderer_process_ = std::move(process);
    renderer_id_ = id;
    return true;
}

// False when the renderer could not be started.
bool SaverRunWindow::start_renderer() {
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
        return false;
    const win32::UniqueHandle thread(process.hThread);  // never used
    // Kept only to see whether the renderer still runs and which windows are
    // its own; the front end never ends it.
    renderer_process_ = win32::UniqueHandle(process.hProcess);
    renderer_id_ = process.dwProcessId;
    return true;
}

bool SaverRunWindow::renderer_running() const {
    return renderer_process_ && WaitForSingleObject(renderer_process_.get(), 0) == WAIT_TIMEOUT;
}

// Only this run's renderer counts: a window of another process with its
// caption does not keep the run going.
bool SaverRunWindow::renderer_window_shows() const {
    if (renderer_id_ == 0)
        return false;
    for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, contract::kRendererCaption); w;
         w = FindWindowExA(nullptr, w, nullptr, contract::kRendererCaption)) {
        DWORD id = 0;
        if (GetWindowThreadProcessId(w, &id) && id == renderer_id_)
            return true;
    }
    return false;
}

void SaverRunWindow::Timer1_Tick() {
    music_.FileTick();
}

// Once the CD check has failed for good, Timer2 stays off for the run (or
// until the display comes back and opens the drive anew).
void SaverRunWindow::Timer2_Tick() {
    music_.CdTick();
    follow_music_timers();
}

void SaverRunWindow::Timer3_Tick() {
    if (watch_.tick(renderer_window_shows(), renderer_running())) {
        KillTimer(hwnd(), Timer3);
        Form_QueryUnload();
    }
}

void SaverRunWindow::FadeTimer_Tick() {
    music_.FadeTick();
    follow_music_timers();
}

void SaverRunWindow::follow_music_timers() {
    const music::BackgroundMusic::Timers wanted = music_.timers();
    set_timer(Timer1, kTimer1Interval, wanted.file_loop);
    set_timer(Timer2, kTimer2Interval, wanted.cd_watch);
    set_timer(FadeTimer, kFadeTimerInterval, wanted.fade);
}

// A timer is set or killed only when that changes: setting it again would
// start its interval over.
void SaverRunWindow::set_timer(UINT_PTR id, UINT interval, bool enabled) {
    const UINT_PTR bit = UINT_PTR{1} << id;
    if (enabled && !(timers_set_ & bit))
        SetTimer(hwnd(), id, interval, nullptr);
    else if (!enabled && (timers_set_ & bit))
        KillTimer(hwnd(), id);
    timers_set_ = enabled ? timers_set_ | bit : timers_set_ & ~bit;
}

void SaverRunWindow::Form_QueryUnload() {
    KillTimer(hwnd(), Timer3);
    music_.End();
    follow_music_timers();
    // Undo the start-up's hiding once. Passing the kept count as the show
    // flag would hide the cursor further whenever that count is 0.
    if (start_.saver_mode)
        ShowCursor(TRUE);
    renderer_process_.reset();
    end_program_();
}

bool load_saver_run_window(HINSTANCE instance, const shared::Settings& settings, const SaverRunStart& start) {
    // Lives for the rest of the program, which ends from the window's own
    // handlers with ExitProcess: deliberately never destroyed, so no
    // destructor touches the music devices while the process goes down.
    auto* window = new SaverRunWindow(settings, start, music::create_win32_multimedia_seam(), [] { ExitProcess(0); });
    return window->create(instance);
}

}  // namespace startup
