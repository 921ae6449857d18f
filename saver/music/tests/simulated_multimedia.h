// A stand-in for the system's multimedia layer in tests: a "cdaudio" drive
// that answers MCI command strings as a real drive does, a minimal MPEGVideo
// device for the alias MP3Play, and a recorder of PlaySoundA calls.
//
// The drive holds a disc of tracks with lengths; time passes only when the
// test calls Advance(). Positions are kept in milliseconds from the start of
// the disc and shown in the current time format (msf until "set cdaudio time
// format tmsf"): tmsf "03:00:00:00" is track 3, minute 0, second 0, frame 0,
// with 75 frames per second. As with MCI, a command to the drive while it is
// not open opens it for that one command (time format msf); without a drive
// that open fails with 266, the driver cannot be loaded.
#pragma once

#include <cstdint>
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
    explicit SimulatedCdDrive(std::vector<int> trackSeconds = {});

    void SetDisc(Disc disc) { disc_ = disc; }
    // Lets playing time pass; a play that reaches its end stops, and one that
    // reached the end of the disc goes back to the disc's start, as drives do.
    void Advance(int milliseconds);

    // Answers one command addressed to "cdaudio"; `words` is the command split
    // at blanks.
    std::uint32_t Command(const std::vector<std::string>& words, std::string& reply);

    bool IsOpen() const { return open_; }
    bool IsPlaying() const { return playing_; }
    int CurrentTrack() const;  // 1-based
    long PositionMs() const { return positionMs_; }

  private:
    enum class TimeFormat { Msf, Tmsf, Milliseconds };

    long TrackStartMs(int track) const;  // track 1..count
    long DiscLengthMs() const;
    std::string Format(long ms) const;
    // A position in the current time format; false with `error` set when the
    // text is not a number or names no track of the disc.
    bool Parse(const std::string& text, long& ms, std::uint32_t& error) const;
    std::uint32_t Status(const std::vector<std::string>& words, std::string& reply) const;
    std::uint32_t Play(const std::vector<std::string>& words);

    std::vector<int> trackSeconds_;
    Disc disc_ = Disc::Present;
    bool open_ = false;
    bool playing_ = false;
    TimeFormat format_ = TimeFormat::Msf;
    long positionMs_ = 0;
    long playEndMs_ = 0;
};

class SimulatedMultimedia final : public MultimediaSeam {
  public:
    struct Sent {
        std::string command;
        bool hasReplyArea;
        std::uint32_t replyLength;
    };
    struct SoundCall {
        bool hasName;
        std::string name;
        std::uint32_t flags;
    };

    std::uint32_t MciSendString(const char* command, char* reply, std::uint32_t replyLength) override;
    bool MciGetErrorString(std::uint32_t code, char* text, std::uint32_t textLength) override;
    bool PlaySoundAnsi(const char* sound, std::uint32_t flags) override;
    std::uint32_t WaveOutDeviceCount() override { return waveDevices; }

    // Every command string, in the order sent.
    std::vector<std::string> Commands() const;
    void ClearLog() { sent.clear(); }

    SimulatedCdDrive drive{{180, 200, 240, 210, 190}};
    // Files the MPEGVideo device can open.
    std::set<std::string> mp3Files;
    // Mode MP3Play reports while open ("playing", "stopped", "paused").
    std::string mp3Mode = "stopped";
    bool mp3Open = false;
    bool errorTextAvailable = true;
    std::uint32_t waveDevices = 1;
    bool playSoundResult = true;

    std::vector<Sent> sent;
    std::vector<SoundCall> sounds;

  private:
    std::uint32_t Mp3Command(const std::vector<std::string>& words, std::string& reply);
    std::uint32_t OpenFile(const std::string& command);
};
