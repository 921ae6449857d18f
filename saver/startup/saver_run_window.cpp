#include "saver/startup/saver_run_window.h"

#include <memory>
#include <vector>

#include "saver/music/music_player.h"
#include "saver/music/win32_multimedia.h"
#include "saver/startup/saver_run.h"

namespace {

constexpr char kWindowClass[] = "Ember_Lantern_S";
constexpr char kWindowCaption[] = "Ember_Lantern_Main";
constexpr char kRendererCaption[] = "Ember_Lantern_VC";

enum TimerId : UINT_PTR {
    kTimer1MusicLoop = 1,     // 1000 ms, MP3 only
    kTimer2CdCheck = 2,       // 200 ms, audio CD only
    kTimer3RendererWatch = 3  // 50 ms, always
};
constexpr UINT kTimer1Interval = 1000;
constexpr UINT kTimer2Interval = 200;
constexpr UINT kTimer3Interval = 50;

// The front end's side of a full-screen run. It lives until the program ends:
// Form_QueryUnload ends the process without returning.
class SaverRunWindow {
public:
    SaverRunWindow(const Settings& settings, const SaverRunStart& start)
        : settings_(settings),
          start_(start),
          multimedia_(CreateWin32MultimediaSeam()),
          music_(*multimedia_, settings),
          fileType_(MusicFileTypeOf(settings.BGM_File)) {}

    bool Create(HINSTANCE instance) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &SaverRunWindow::WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kWindowClass;
        RegisterClassA(&wc);
        // Never shown: it only carries the caption by which a second start
        // sees the run, and receives the timers.
        return CreateWindowExA(0, kWindowClass, kWindowCaption, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                               instance, this) != nullptr;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<SaverRunWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<SaverRunWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self)
            return DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return self->HandleMessage(message, wParam, lParam);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_CREATE:
                Form_Load();
                return 0;
            case WM_TIMER:
                OnTimer(wParam);
                return 0;
            case WM_CLOSE:
                Form_QueryUnload();
                return 0;
            case WM_QUERYENDSESSION:
                return TRUE;
            case WM_ENDSESSION:
                if (wParam)
                    Form_QueryUnload();
                return 0;
            default:
                return DefWindowProcA(hwnd_, message, wParam, lParam);
        }
    }

    void OnTimer(WPARAM id) {
        switch (id) {
            case kTimer1MusicLoop:
                music_.LoopMusicFile();
                break;
            case kTimer2CdCheck:
                music_.CheckCdAudio();
                SetTimer2(music_.CdWatchActive());
                break;
            case kTimer3RendererWatch:
                Timer3();
                break;
            default:
                break;
        }
    }

    void Form_Load() {
        // Music first, so it is already playing when the picture appears.
        if (settings_.BGM_Kind == 1) {
            music_.OpenCdAudio();
            SetTimer2(true);
        }
        if (settings_.BGM_Kind == 2) {
            if (fileType_ == MusicFileType::Wav) {
                music_.PlayWaveFile();
            } else if (fileType_ == MusicFileType::Mp3) {
                music_.PlayMusicFile();
                SetTimer(hwnd_, kTimer1MusicLoop, kTimer1Interval, nullptr);
            }
        }
        watch_ = RendererWatch(StartRenderer());
        SetTimer(hwnd_, kTimer3RendererWatch, kTimer3Interval, nullptr);
    }

    // Returns whether the renderer's process could be started.
    bool StartRenderer() {
        const std::string path = renderer_path(start_.programFolder);
        const std::string commandLine = renderer_command_line(path);
        std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
        mutableCommandLine.push_back('\0');

        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        // The application name is the full path, so the system never searches
        // for a program at a prefix of an unquoted path with blanks.
        if (CreateProcessA(path.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process)) {
            // The renderer is known only by its window caption from here on.
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            return true;
        }
        return false;
    }

    void Timer3() {
        if (watch_.tick(FindWindowA(nullptr, kRendererCaption) != nullptr)) {
            KillTimer(hwnd_, kTimer3RendererWatch);
            Form_QueryUnload();
        }
    }

    void SetTimer2(bool enabled) {
        if (enabled && !timer2Enabled_)
            SetTimer(hwnd_, kTimer2CdCheck, kTimer2Interval, nullptr);
        else if (!enabled && timer2Enabled_)
            KillTimer(hwnd_, kTimer2CdCheck);
        timer2Enabled_ = enabled;
    }

    [[noreturn]] void Form_QueryUnload() {
        if (timer2Enabled_) {
            SetTimer2(false);
            music_.CloseCdAudio();
        }
        if (settings_.BGM_Kind == 2) {
            if (fileType_ == MusicFileType::Wav)
                music_.StopWaveFile();
            else if (fileType_ == MusicFileType::Mp3)
                music_.CloseMusicFile();
        }
        // Undo the start-up's hiding once. Passing the kept count as the show
        // flag would hide the cursor further whenever that count is 0.
        if (start_.saverMode)
            ShowCursor(TRUE);
        ExitProcess(0);
    }

    HWND hwnd_ = nullptr;
    const Settings& settings_;
    SaverRunStart start_;
    std::unique_ptr<MultimediaSeam> multimedia_;
    MusicPlayer music_;
    MusicFileType fileType_;
    bool timer2Enabled_ = false;
    RendererWatch watch_{false};
};

}  // namespace

bool LoadSaverRunWindow(HINSTANCE instance, const Settings& settings, const SaverRunStart& start) {
    // Lives for the rest of the program, which ends from the window's own
    // handlers with ExitProcess: deliberately never destroyed, so no
    // destructor touches the music devices while the process goes down.
    auto* window = new SaverRunWindow(settings, start);
    return window->Create(instance);
}
