// Test driver (never shipped): runs the music player against the real
// multimedia calls, one step per argument, and prints every call it makes and
// what each step found, one line each, so that an end-to-end test can follow
// what was sent while it listens to what was played.
//
// Steps: file=PATH  track=N  open-cd  check-cd  close-cd  play-mp3  playing
//        loop  close-mp3  play-wav  stop-wav  query=COMMAND  sleep=MS
//        wait-playing=MS  wait-stopped=MS  size=PATH
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "saver/music/music_player.h"
#include "saver/music/win32/music_player.h"
#include "saver/shared/last_api_result.h"

using namespace music;

using namespace shared;

namespace {

class LoggingSeam final : public MultimediaSeam {
public:
    explicit LoggingSeam(MultimediaSeam& real) : real_(real) {}

    std::uint32_t mci_send_string(const char* command, char* reply, std::uint32_t reply_length) override {
        const std::uint32_t code = real_.mci_send_string(command, reply, reply_length);
        std::printf("mci %u [%s] -> [%s]\n", code, command, reply && reply_length ? reply : "");
        std::fflush(stdout);
        return code;
    }
    bool mci_get_error_string(std::uint32_t code, char* text, std::uint32_t text_length) override {
        return real_.mci_get_error_string(code, text, text_length);
    }
    bool play_sound(const char* sound, std::uint32_t flags) override {
        const bool result = real_.play_sound(sound, flags);
        std::printf("sound %d [%s] %u\n", result ? 1 : 0, sound ? sound : "(null)", flags);
        std::fflush(stdout);
        return result;
    }
    std::uint32_t wave_out_device_count() override {
        const std::uint32_t count = real_.wave_out_device_count();
        std::printf("waves %u\n", count);
        std::fflush(stdout);
        return count;
    }

private:
    MultimediaSeam& real_;
};

void report(const char* format, long long value) {
    std::printf(format, value);
    std::printf("\n");
    std::fflush(stdout);
}

// Polls IsMusicFilePlaying every 50 ms until it equals `wanted` or the time
// is up; reports whether it did and after how long.
void wait_for(MusicPlayer& player, bool wanted, DWORD timeout_ms, const char* name) {
    const DWORD start = GetTickCount();
    bool reached = false;
    while (!(reached = player.IsMusicFilePlaying() == wanted) && GetTickCount() - start < timeout_ms) {
        Sleep(50);
    }
    std::printf("%s %d %lu\n", name, reached ? 1 : 0, static_cast<unsigned long>(GetTickCount() - start));
    std::fflush(stdout);
}

long long file_size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<MultimediaSeam> real = create_win32_multimedia_seam();
    LoggingSeam seam(*real);
    Settings settings;
    MusicPlayer player(seam, settings);

    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        const std::size_t equals = step.find('=');
        const std::string verb = step.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : step.substr(equals + 1);
        std::printf("step %s\n", verb.c_str());
        std::fflush(stdout);
        if (verb == "file") {
            // "\x01" in the argument stands for a control character, which a
            // command line cannot carry as such.
            std::string path = value;
            for (std::size_t at; (at = path.find("\\x01")) != std::string::npos;) {
                path.replace(at, 4, "\x01");
            }
            settings.BGM_File = path;
            std::printf("file [%s]\n", path.c_str());
            std::fflush(stdout);
        } else if (verb == "track") {
            settings.BGM_RepeatTrack = static_cast<std::int16_t>(std::atoi(value.c_str()));
        } else if (verb == "open-cd") {
            player.OpenCdAudio();
            report("last %lld", LastApiResult);
        } else if (verb == "check-cd") {
            player.CheckCdAudio();
            report("watch %lld", player.CdWatchActive() ? 1 : 0);
        } else if (verb == "close-cd") {
            player.CloseCdAudio();
            report("last %lld", LastApiResult);
        } else if (verb == "play-mp3") {
            player.PlayMusicFile();
        } else if (verb == "playing") {
            report("playing %lld", player.IsMusicFilePlaying() ? 1 : 0);
        } else if (verb == "loop") {
            player.LoopMusicFile();
        } else if (verb == "close-mp3") {
            player.CloseMusicFile();
        } else if (verb == "play-wav") {
            player.PlayWaveFile();
            report("last %lld", LastApiResult);
        } else if (verb == "stop-wav") {
            player.StopWaveFile();
            report("last %lld", LastApiResult);
        } else if (verb == "query") {
            std::printf("reply [%s]\n", player.QueryMci(value).c_str());
            std::fflush(stdout);
        } else if (verb == "sleep") {
            Sleep(static_cast<DWORD>(std::atoi(value.c_str())));
        } else if (verb == "wait-playing" || verb == "wait-stopped") {
            wait_for(player, verb == "wait-playing", static_cast<DWORD>(std::atoi(value.c_str())), verb.c_str());
        } else if (verb == "size") {
            report("size %lld", file_size(value));
        } else {
            std::printf("unknown step\n");
            return 2;
        }
    }
    std::printf("done\n");
    return 0;
}
