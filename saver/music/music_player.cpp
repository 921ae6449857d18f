#include "saver/music/music_player.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "saver/shared/decimal_scan.h"
#include "saver/shared/last_api_result.h"
#include "saver/shared/texts.h"

namespace music {

namespace {

// Sizes of the reply areas, in bytes with the terminating NUL.
constexpr std::uint32_t kMciReplySize = 512;
constexpr std::uint32_t kMciErrorTextSize = 256;
constexpr std::uint32_t kCdModeReplySize = 255;
constexpr std::uint32_t kFileModeReplySize = 30;

// Modes are compared on the first seven characters of the reply, as the
// devices answer "playing", "stopped", "paused", "not ready"...
bool mode_is(const char* reply, const char* mode) {
    return std::strncmp(reply, mode, 7) == 0;
}

// A track position as the drive gives it in the tmsf format ("03:00:00:00"):
// only such a reply may become part of a play command.
bool is_track_position(const std::string& reply) {
    return !reply.empty() && reply.find_first_not_of("0123456789:") == std::string::npos;
}

bool contains_err(const std::string& reply) {
    for (std::size_t i = 0; i + 3 <= reply.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(reply[i])) == 'E' &&
            std::toupper(static_cast<unsigned char>(reply[i + 1])) == 'R' &&
            std::toupper(static_cast<unsigned char>(reply[i + 2])) == 'R') {
            return true;
        }
    }
    return false;
}

// A reply read as a number: leading blanks, an optional sign, the digits that
// follow; no digits give 0. Capped at 9999999, far beyond any track number.
long number_of(const std::string& text) {
    constexpr std::uint64_t kCap = 9999999;
    const shared::DecimalScan scan = shared::scan_decimal(text);
    const long value = static_cast<long>(scan.whole < kCap ? scan.whole : kCap);
    return scan.negative ? -value : value;
}

}  // namespace

MusicFileType music_file_type_of(const std::string& path) {
    if (path.size() < 3) {
        return MusicFileType::None;
    }
    std::string ending = path.substr(path.size() - 3);
    for (char& c : ending) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (ending == "WAV") {
        return MusicFileType::Wav;
    }
    if (ending == "MP3") {
        return MusicFileType::Mp3;
    }
    return MusicFileType::None;
}

bool is_playable_path(const std::string& path) {
    // Neither byte can be the second byte of a Shift-JIS character, so a
    // byte-wise test is safe for Japanese names.
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte < 0x20 || byte == 0x7f) {
            return false;
        }
    }
    return true;
}

MusicPlayer::MusicPlayer(MultimediaSeam& seam, const shared::Settings& settings) : seam_(seam), settings_(settings) {}

std::int32_t MusicPlayer::SendMciCommand(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = texts::kMciNoCommandReply;
        return -1;
    }
    std::vector<char> buffer(kMciReplySize, '\0');
    const auto code = static_cast<std::int32_t>(seam_.mci_send_string(command.c_str(), buffer.data(), kMciReplySize));
    shared::LastApiResult = code;
    if (code == 0) {
        buffer.back() = '\0';
        reply = buffer.data();
        return 0;
    }
    std::vector<char> text(kMciErrorTextSize, '\0');
    if (seam_.mci_get_error_string(static_cast<std::uint32_t>(code), text.data(), kMciErrorTextSize)) {
        text.back() = '\0';
        reply = text.data();
    } else {
        reply = texts::kMciNoErrorTextReply;
    }
    return code;
}

std::string MusicPlayer::QueryMci(const std::string& command) {
    const std::int32_t code = SendMciCommand(command, mci_reply_);
    shared::LastApiResult = code;
    if (code != 0) {
        return "Error:" + std::to_string(code);
    }
    return mci_reply_;
}

std::int32_t MusicPlayer::PlayMciDevice(const std::string& device, const std::string& from, const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) {
        command += " from " + from;
    }
    if (!to.empty()) {
        command += " to " + to;
    }
    return SendMciCommand(command, mci_reply_);
}

std::uint32_t MusicPlayer::send_without_reply(const char* command) {
    return seam_.mci_send_string(command, nullptr, 0);
}

void MusicPlayer::OpenCdAudio() {
    shared::LastApiResult = static_cast<std::int32_t>(send_without_reply("open cdaudio"));
    cd_opened_ = shared::LastApiResult == 0;
    // Opened again (the display back on after a night), the drive may hold
    // another disc or none: its first check decides afresh.
    cd_answered_ = false;
    cd_watch_active_ = false;
    shared::LastApiResult = static_cast<std::int32_t>(send_without_reply("set cdaudio time format tmsf"));
}

void MusicPlayer::CheckCdAudio() {
    cd_watch_active_ = true;
    // An error reply before the drive has ever answered means no drive or no
    // disc, and the watch ends for the rest of the run; after that it is a
    // passing state of the drive, and the next check tries again.
    const std::string current_track = QueryMci("status cdaudio current track");
    if (contains_err(current_track)) {
        cd_watch_active_ = cd_answered_;
        return;
    }
    const std::string track_count = QueryMci("status cdaudio number of tracks");
    if (contains_err(track_count)) {
        cd_watch_active_ = cd_answered_;
        return;
    }
    cd_answered_ = true;
    char mode[kCdModeReplySize] = {};
    shared::LastApiResult =
        static_cast<std::int32_t>(seam_.mci_send_string("status cdaudio mode", mode, kCdModeReplySize));
    mode[kCdModeReplySize - 1] = '\0';
    const bool stopped = mode_is(mode, "stopped");

    // A track the disc does not have (the dialog takes any number) plays the
    // whole disc rather than nothing.
    const long repeat_track = settings_.BGM_RepeatTrack;
    if (repeat_track >= 1 && repeat_track <= number_of(track_count)) {
        // Playing from the track's start to the end of the disc: when the
        // next track begins, the following check jumps back.
        if (stopped || number_of(current_track) != repeat_track) {
            const std::string start = QueryMci("status cdaudio position track " + std::to_string(repeat_track));
            if (is_track_position(start)) {
                PlayMciDevice("cdaudio", start, "");
            }
        }
    } else if (stopped) {
        PlayMciDevice("cdaudio", "", "");
    }
}

void MusicPlayer::CloseCdAudio() {
    shared::LastApiResult = static_cast<std::int32_t>(send_without_reply("stop cdaudio"));
    shared::LastApiResult = static_cast<std::int32_t>(send_without_reply("close cdaudio"));
    cd_opened_ = false;
}

bool MusicPlayer::PlayMusicFile(bool from_silence) {
    if (!is_playable_path(settings_.BGM_File)) {
        return false;
    }
    const std::string open = "open \"" + settings_.BGM_File + "\" type MPEGVideo Alias MP3Play";
    if (send_without_reply(open.c_str()) != 0) {
        return false;
    }
    const bool silent = from_silence && SetMusicFileVolume(0) == 0;
    send_without_reply("play MP3Play");
    return silent;
}

std::uint32_t MusicPlayer::SetMusicFileVolume(int volume) {
    const std::string command = "setaudio MP3Play volume to " + std::to_string(volume);
    return send_without_reply(command.c_str());
}

bool MusicPlayer::IsMusicFilePlaying() {
    char mode[kFileModeReplySize] = {};
    seam_.mci_send_string("status MP3Play mode", mode, kFileModeReplySize);
    mode[kFileModeReplySize - 1] = '\0';
    return mode_is(mode, "playing");
}

bool MusicPlayer::LoopMusicFile() {
    if (IsMusicFilePlaying()) {
        return true;
    }
    send_without_reply("stop MP3Play");
    send_without_reply("play MP3Play from 0");
    return false;
}

void MusicPlayer::CloseMusicFile() {
    send_without_reply("stop MP3Play");
    send_without_reply("close MP3Play");
}

void MusicPlayer::PlayWaveFile() {
    if (seam_.wave_out_device_count() == 0 || !is_playable_path(settings_.BGM_File)) {
        return;
    }
    shared::LastApiResult = seam_.play_sound(settings_.BGM_File.c_str(), kWaveLoopFlags) ? 1 : 0;
}

void MusicPlayer::StopWaveFile() {
    shared::LastApiResult = seam_.play_sound(nullptr, 0) ? 1 : 0;
}

}  // namespace music
