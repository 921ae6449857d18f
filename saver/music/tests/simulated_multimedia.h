// A stand-in for the system's multimedia layer in tests: a "cdaudio" drive
// that answers MCI command strings as a real drive does, a minimal MPEGVideo
// device for the alias MP3Play, and a recorder of PlaySoundA calls.
//
// The drive holds a disc of tracks with lengths; time passes only when the
// test calls advance(). Positions are kept in milliseconds from the start of
// the disc and shown in the current time format (msf until "set cdaudio time
// format tmsf"): tmsf "03:00:00:00" is track 3, minute 0, second 0, frame 0,
// with 75 frames per second. As with MCI, a command to the drive while it is
// not open opens it for that one command (time format msf); without a drive
// that open fails with 266, the driver cannot be loaded.
#pragma once

#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "saver/music/multimedia_seam.h"

// MCI error codes as the system returns them.
namespace mci_error {
constexpr std::uint32_t kUnrecognizedKeyword = 259;
constexpr std::uint32_t kUnrecognizedCommand = 261;
constexpr std::uint32_t kInvalidDeviceName = 263;  // not open, or unknown
constexpr std::uint32_t kDeviceOpen = 265;
constexpr std::uint32_t kCannotLoadDriver = 266;  // no drive
constexpr std::uint32_t kParamOverflow = 268;     // reply area too small
constexpr std::uint32_t kBadInteger = 270;
constexpr std::uint32_t kMissingParameter = 273;
constexpr std::uint32_t kFileNotFound = 275;
constexpr std::uint32_t kDeviceNotReady = 276;  // no disc
constexpr std::uint32_t kOutOfRange = 282;      // no such track
constexpr std::uint32_t kBadTimeFormat = 293;
}  // namespace mci_error

class SimulatedCdDrive {
public:
    enum class Disc { Present, None, NoDrive };

    // Track lengths in seconds; the disc is present.
    explicit SimulatedCdDrive(std::vector<int> track_seconds = {});

    void set_disc(Disc disc) { disc_ = disc; }
    // Lets playing time pass; a play that reaches its end stops, and one that
    // reached the end of the disc goes back to the disc's start, as drives do.
    void advance(int milliseconds);

    // Answers one command addressed to "cdaudio"; `words` is the command split
    // at blanks.
    std::uint32_t command(const std::vector<std::string>& words, std::string& reply);

    bool is_open() const { return open_; }
    bool is_playing() const { return playing_; }
    int current_track() const;  // 1-based
    long position_ms() const { return position_ms_; }

private:
    enum class TimeFormat { Msf, Tmsf, Milliseconds };

    long track_start_ms(int track) const;  // track 1..count
    long disc_length_ms() const;
    std::string format(long ms) const;
    // A position in the current time format; false with `error` set when the
    // text is not a number or names no track of the disc.
    bool parse(const std::string& text, long& ms, std::uint32_t& error) const;
    std::uint32_t status(const std::vector<std::string>& words, std::string& reply) const;
    std::uint32_t play(const std::vector<std::string>& words);

    std::vector<int> track_seconds_;
    Disc disc_ = Disc::Present;
    bool open_ = false;
    bool playing_ = false;
    TimeFormat format_ = TimeFormat::Msf;
    long position_ms_ = 0;
    long play_end_ms_ = 0;
};

class SimulatedMultimedia final : public music::MultimediaSeam {
public:
    struct Sent {
        std::string command;
        bool has_reply_area;
        std::uint32_t reply_length;
    };
    struct SoundCall {
        bool has_name;
        std::string name;
        std::uint32_t flags;
    };

    std::uint32_t mci_send_string(const char* command, char* reply, std::uint32_t reply_length) override;
    bool mci_get_error_string(std::uint32_t code, char* text, std::uint32_t text_length) override;
    bool play_sound(const char* sound, std::uint32_t flags) override;
    std::uint32_t wave_out_device_count() override { return wave_devices; }

    // Every command string, in the order sent.
    std::vector<std::string> commands() const;
    void clear_log() { sent.clear(); }
    // The next time exactly this command is sent it fails with `code`, as a
    // drive does for a moment (spinning up, busy with another program),
    // without reaching the device. Failures queue in the order given.
    void fail_once(const std::string& command, std::uint32_t code) { scripted_.push_back({command, code, ""}); }
    // The next time exactly this command is sent it succeeds with `reply`
    // instead of what the device would say: a driver's odd answer.
    void answer_once(const std::string& command, const std::string& reply) { scripted_.push_back({command, 0, reply}); }

    SimulatedCdDrive drive{{180, 200, 240, 210, 190}};
    // Files the MPEGVideo device can open.
    std::set<std::string> mp3_files;
    // Mode MP3Play reports while open ("playing", "stopped", "paused").
    std::string mp3_mode = "stopped";
    bool mp3_open = false;
    // "setaudio MP3Play volume to N": the device's volume, 1000 when opened;
    // a device without one refuses the command.
    bool mp3_takes_volume = true;
    int mp3_volume = 1000;
    // The output the open file played to has gone (a headset unplugged):
    // the device reports "stopped" and a play leaves it so, until the file
    // is opened anew while the system has a default output, which the new
    // open binds.
    bool mp3_device_lost = false;
    bool default_output_present = true;
    int mp3_opens = 0;
    bool error_text_available = true;
    std::uint32_t wave_devices = 1;
    bool play_sound_result = true;

    std::vector<Sent> sent;
    std::vector<SoundCall> sounds;

private:
    struct Scripted {
        std::string command;
        std::uint32_t code;
        std::string reply;
    };
    std::deque<Scripted> scripted_;

    std::uint32_t mp3_command(const std::vector<std::string>& words, std::string& reply);
    std::uint32_t open_file(const std::string& command);
};
