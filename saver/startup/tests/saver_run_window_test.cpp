// The saver run's window in this process under Wine, playing real music that
// the test hears: its environment points ALSA at a file sink that writes each
// audio stream opened to a file of its own (audio.raw, then audio.raw.0001,
// ...). The display's power notices are built here and sent as the system
// sends them (Wine never does). A window captioned as the renderer's stands in
// for the renderer, which is not started: the run's folder has none.
#include <windows.h>
// after windows.h, which it needs
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/contract.h"
#include "common/win32/power_settings.h"
#include "saver/music/win32/music_player.h"
#include "saver/startup/win32/saver_run_window.h"

namespace {

using common::PowerSetting;

// The real calls, each command and sound recorded with its time.
class RecordingSeam final : public music::MultimediaSeam {
public:
    using Log = std::vector<std::pair<DWORD, std::string>>;
    explicit RecordingSeam(Log& log) : real_(music::create_win32_multimedia_seam()), log_(log) {}

    std::uint32_t mci_send_string(const char* command, char* reply, std::uint32_t reply_length) override {
        log_.emplace_back(GetTickCount(), command);
        return real_->mci_send_string(command, reply, reply_length);
    }
    bool mci_get_error_string(std::uint32_t code, char* text, std::uint32_t length) override {
        return real_->mci_get_error_string(code, text, length);
    }
    bool play_sound(const char* sound, std::uint32_t flags) override {
        log_.emplace_back(GetTickCount(), sound ? "sound" : "sound stop");
        return real_->play_sound(sound, flags);
    }
    std::uint32_t wave_out_device_count() override { return real_->wave_out_device_count(); }

private:
    std::unique_ptr<music::MultimediaSeam> real_;
    Log& log_;
};

// What was recorded from entry `from` on that starts with `prefix`.
RecordingSeam::Log sent(const RecordingSeam::Log& log, std::size_t from, const std::string& prefix) {
    RecordingSeam::Log found;
    for (std::size_t i = from; i < log.size(); ++i) {
        if (log[i].second.rfind(prefix, 0) == 0)
            found.push_back(log[i]);
    }
    return found;
}

std::string windows_path(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The streams the sink has written, in the order opened, with their sizes in
// bytes (signed 16-bit stereo at 44100 Hz); `remove` deletes every file.
std::vector<std::pair<std::string, long long>> streams(bool remove = false) {
    std::vector<std::pair<std::string, long long>> found;
    WIN32_FIND_DATAA data;
    const std::string folder = windows_path(EL_SOUND_DIR) + "\\";
    const HANDLE search = FindFirstFileA((folder + "audio.raw*").c_str(), &data);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &data)) {
        const long long bytes = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (remove)
            DeleteFileA((folder + data.cFileName).c_str());
        else if (bytes > 0)
            found.emplace_back(folder + data.cFileName, bytes);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    std::sort(found.begin(), found.end());
    return found;
}

constexpr long long kSecondOfSound = 4 * 44100;
const std::string kVolumeTo = "setaudio MP3Play volume to ";

long long heard_bytes() {
    long long total = 0;
    for (const auto& stream : streams())
        total += stream.second;
    return total;
}

// A stream whose level rises from well below the music's own: the loudest
// sample of each 50 ms that holds sound (the sink pads with zeros where it
// ran short), over its first ten seconds (it takes the sound faster than it
// plays), starts under a quarter of the loudest and is louder on average in
// the second half of the way up than in the first.
void expect_rising(const std::string& path) {
    std::vector<std::int16_t> frames(2 * 10 * 44100);
    DWORD read = 0;
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ReadFile(file, frames.data(), static_cast<DWORD>(frames.size() * sizeof frames[0]), &read, nullptr);
    CloseHandle(file);
    std::vector<int> peaks;
    constexpr std::size_t kWindow = 2 * 44100 / 20;
    for (std::size_t start = 0; start + kWindow <= read / sizeof frames[0]; start += kWindow) {
        int peak = 0;
        for (std::size_t i = start; i < start + kWindow; i += 2)  // the left channel
            peak = std::max(peak, std::abs(static_cast<int>(frames[i])));
        if (peak > 60)
            peaks.push_back(peak);
    }
    ASSERT_GE(peaks.size(), 12u) << "too little heard";
    const auto loudest = std::max_element(peaks.begin(), peaks.end());
    EXPECT_LT(peaks.front() * 4, *loudest) << "the music started loud";
    const std::size_t half = static_cast<std::size_t>(loudest - peaks.begin()) / 2;
    ASSERT_GE(half, 3u) << "the music was at its level almost at once";
    long long first = 0, second = 0;
    for (std::size_t i = 0; i < half; ++i) {
        first += peaks[i];
        second += peaks[half + i];
    }
    EXPECT_LT(first, second);
}

// Lets the window's timers run until `condition` holds; false after `timeout_ms`.
bool run_until(const std::function<bool()>& condition, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout_ms)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
    return true;
}

// Nothing more arrives at the sink: unchanged for half a second (it lags a
// little behind a stop), then for another second and a half.
bool sound_stays_stopped() {
    long long last = -1;
    DWORD since = 0;
    const bool settled = run_until(
        [&] {
            if (heard_bytes() != last) {
                last = heard_bytes();
                since = GetTickCount();
            }
            return GetTickCount() - since >= 500;
        },
        10000);
    run_until([] { return false; }, 1500);
    return settled && heard_bytes() == last;
}

// A power notice as the system sends it: the setting's GUID, then its value.
void send_notice(HWND window, PowerSetting setting, DWORD value) {
    struct {
        POWERBROADCAST_SETTING header;
        BYTE rest[3];  // the value is a DWORD; the structure holds its first byte
    } notice{};
    notice.header.PowerSetting = *win32::power_setting_guid(setting);
    notice.header.DataLength = sizeof value;
    std::memcpy(notice.header.Data, &value, sizeof value);
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&notice));
}

// A session notice as the system posts it: the event, then the session's id.
void send_session(HWND window, DWORD event) {
    SendMessageA(window, WM_WTSSESSION_CHANGE, event, 1);
}

// While nobody can see the saver (the display off, the session locked or its
// connection gone) the music is released, so that no audio stream keeps the
// machine from sleeping or plays behind the lock screen, and nothing is
// sent; when it shows again (here dimmed, unlocked, connected) the music
// starts as at the start of the run, in a stream of its own, an MP3 fading
// in (Wine's MPEGVideo device takes a volume, so the rise is heard), a WAV at
// its own level at once. The display and the session each keep it released.
TEST(SaverRunWindow, TheMusicIsReleasedWhileNobodySeesTheSaverAndStartsAgainAfter) {
    using Act = std::function<void(HWND)>;
    const Act display_off = [](HWND w) {
        send_notice(w, PowerSetting::ConsoleDisplay, 0);
        // The older monitor notice says nothing once the console's is known.
        send_notice(w, PowerSetting::MonitorPower, 1);
    };
    const Act dimmed = [](HWND w) { send_notice(w, PowerSetting::ConsoleDisplay, 2); };
    const Act lock = [](HWND w) { send_session(w, WTS_SESSION_LOCK); };
    const Act unlock = [](HWND w) { send_session(w, WTS_SESSION_UNLOCK); };
    const struct {
        const char* what;
        const char* file;
        const char* released;   // the first call the hiding makes
        const char* restarted;  // the first of the calls the return makes
        bool fade;
        std::vector<Act> hide, show;
    } cases[] = {
        {"an MP3, the display off", EL_TEST_MP3, "stop MP3Play", "open ", true, {display_off}, {dimmed}},
        {"a WAV, the display off", EL_TEST_WAV, "sound stop", "sound", false, {display_off}, {dimmed}},
        {"an MP3, the session locked", EL_TEST_MP3, "stop MP3Play", "open ", true, {lock}, {unlock}},
        {"a WAV, another account at the console",
         EL_TEST_WAV,
         "sound stop",
         "sound",
         false,
         {[](HWND w) { send_session(w, WTS_CONSOLE_DISCONNECT); }},
         {[](HWND w) { send_session(w, WTS_CONSOLE_CONNECT); }}},
        {"an MP3, locked, then the lock screen's display off and on",
         EL_TEST_MP3,
         "stop MP3Play",
         "open ",
         true,
         {lock, display_off, dimmed},
         {unlock}},
    };
    // The watch ends a run that has no renderer window.
    const HWND renderer = CreateWindowExA(0, "STATIC", contract::kRendererCaption, WS_POPUP, 0, 0, 10, 10, nullptr,
                                          nullptr, GetModuleHandleA(nullptr), nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        streams(true);
        shared::Settings settings;
        settings.BGM_Kind = shared::kMusicFile;
        settings.BGM_File = windows_path(c.file);
        startup::SaverRunStart start;
        start.program_folder = windows_path(EL_SOUND_DIR);
        RecordingSeam::Log log;
        bool ended = false;
        auto run = std::make_unique<startup::SaverRunWindow>(settings, start, std::make_unique<RecordingSeam>(log),
                                                             [&] { ended = true; });
        ASSERT_TRUE(run->create(GetModuleHandleA(nullptr)));
        const auto playing_since = [&](std::size_t mark, std::size_t stream) {
            return [&, mark, stream] {
                return streams().size() == stream + 1 && streams()[stream].second > 2 * kSecondOfSound &&
                       (!c.fade || !sent(log, mark, kVolumeTo + "1000").empty());
            };
        };
        ASSERT_TRUE(run_until(playing_since(0, 0), 30000)) << "heard " << heard_bytes() << " bytes";
        // The volumes' order and curve are the native tests'; here the rise is heard.
        if (c.fade)
            expect_rising(streams()[0].first);

        std::size_t mark = log.size();
        for (const Act& act : c.hide)
            act(run->hwnd());
        ASSERT_GT(log.size(), mark);
        EXPECT_EQ(log[mark].second, c.released);
        const std::size_t released = log.size();
        EXPECT_TRUE(sound_stays_stopped()) << "the music went on while nobody saw the saver";
        EXPECT_EQ(streams().size(), 1u);
        EXPECT_EQ(log.size(), released) << "sent while nobody saw the saver: " << log.back().second;

        // Back: the file opened or played anew, so from its beginning.
        mark = log.size();
        for (const Act& act : c.show)
            act(run->hwnd());
        ASSERT_TRUE(run_until(playing_since(mark, 1), 30000)) << "the music did not come back";
        EXPECT_EQ(log[mark].second.rfind(c.restarted, 0), 0u) << log[mark].second;
        if (c.fade) {
            EXPECT_EQ(log.at(mark + 1).second, kVolumeTo + "0");
            EXPECT_EQ(log.at(mark + 2).second, "play MP3Play");
            expect_rising(streams()[1].first);
        }

        SendMessageA(run->hwnd(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(ended);
        EXPECT_TRUE(sound_stays_stopped()) << "the music went on after the run ended";
    }
    DestroyWindow(renderer);
}

}  // namespace
