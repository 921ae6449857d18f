// The music player of the front end (module Ember_Lantern_BGM): background
// music from an audio CD through the MCI device "cdaudio", from an MP3 file
// through the MCI device type MPEGVideo under the alias "MP3Play", or from a
// WAV file through PlaySoundA, looping.
//
// Nothing is ever shown: routines return MCI error codes and reply texts,
// record the result of their calls in the program-wide LastApiResult, and a
// failure simply means that nothing plays. All routines run on the front
// end's user-interface thread; the devices play asynchronously on their own.
//
// Texts are in the ANSI code page (Shift-JIS on the systems the program is
// made for); the two Japanese reply texts are Shift-JIS bytes on every build,
// native included (saver/shared/texts.h).
#pragma once

#include <cstdint>
#include <string>

#include "saver/music/multimedia_seam.h"
#include "saver/shared/settings.h"

namespace music {

// PlaySoundA flags (the values of mmsystem.h, which portable code cannot include).
constexpr std::uint32_t kSndAsync = 0x0001;
constexpr std::uint32_t kSndNoDefault = 0x0002;
constexpr std::uint32_t kSndLoop = 0x0008;
constexpr std::uint32_t kSndFilename = 0x00020000;
// PlayWaveFile's flags. The name is a file's, never a registry sound's; and a
// file that cannot be played stays silent, where PlaySoundA would otherwise
// loop the system's default sound for the whole run.
constexpr std::uint32_t kWaveLoopFlags = kSndAsync | kSndLoop | kSndFilename | kSndNoDefault;

// The kind of music file by its name: the last three characters, upper-cased.
enum class MusicFileType { None, Wav, Mp3 };
MusicFileType music_file_type_of(const std::string& path);

// True when `path` can be put between double quotes in an MCI command string:
// MCI has no escape, so a double quote or a control character (possible in a
// Linux file name seen through Wine, never in a Windows one) would end the
// name early and make the rest command words. Such a path is never played.
bool is_playable_path(const std::string& path);

class MusicPlayer {
public:
    // Both must outlive the player; `settings` is read at every call.
    MusicPlayer(MultimediaSeam& seam, const shared::Settings& settings);

    // --- command strings ----------------------------------------------
    // Sends one command (reply area of 512 bytes) and returns the MCI error
    // code, with the reply text, or the error's text, in `reply`. An empty
    // command sends nothing: -1 with kMciNoCommandReply.
    std::int32_t SendMciCommand(const std::string& command, std::string& reply);
    // The reply to `command`, or "Error:" and the code in decimal
    // ("Error:263") when it fails; the reply or error text stays in MciReply().
    std::string QueryMci(const std::string& command);
    // "play <device>[ from <from>][ to <to>]", each part only when not empty.
    // Returns the MCI error code.
    std::int32_t PlayMciDevice(const std::string& device, const std::string& from, const std::string& to);

    // --- audio CD ------------------------------------------------------
    // Opens "cdaudio" and sets the time format tmsf; does not play.
    void OpenCdAudio();
    // True from an "open cdaudio" that succeeded to CloseCdAudio: the device
    // is this run's, and the run must stop and close it at its end.
    bool CdAudioOpened() const { return cd_opened_; }
    // The periodic check (every 200 ms): (re)starts the whole disc when it
    // has stopped, or jumps back to the start of BGM_RepeatTrack when that
    // track is not the one playing. A repeat track the disc does not have
    // plays the whole disc. No command is ever made from an error reply.
    // Sets CdWatchActive().
    void CheckCdAudio();
    // False once the first check found no drive or no disc; the caller stops
    // its CD timer then. Once the drive has answered a check, a failed one
    // (a drive spinning up, another program reading the disc) leaves the
    // watch on. False before the first check.
    bool CdWatchActive() const { return cd_watch_active_; }
    // "stop cdaudio", then "close cdaudio".
    void CloseCdAudio();

    // --- MP3 file (BGM_File) -------------------------------------------
    // Opens the file as MP3Play and plays it when the open succeeded. With
    // `from_silence` the device is first set silent, so that a fade can
    // raise it; true when it plays silent (false: not opened, or the device
    // takes no volume and plays as recorded).
    bool PlayMusicFile(bool from_silence = false);
    // "setaudio MP3Play volume to N": 0 silence to 1000 as recorded. Returns
    // the MCI error code.
    std::uint32_t SetMusicFileVolume(int volume);
    // True exactly when MP3Play reports the mode "playing".
    bool IsMusicFilePlaying();
    // The loop tick (every 1000 ms): restarts MP3Play from its beginning when
    // it is not playing. True when it found it playing.
    bool LoopMusicFile();
    // "stop MP3Play", then "close MP3Play".
    void CloseMusicFile();

    // --- WAV file (BGM_File) -------------------------------------------
    // Plays the file looping when a wave output device exists.
    void PlayWaveFile();
    // Stops any sound PlaySoundA is playing.
    void StopWaveFile();

    // Reply or error text of the last QueryMci or PlayMciDevice.
    const std::string& MciReply() const { return mci_reply_; }

private:
    std::uint32_t send_without_reply(const char* command);

    MultimediaSeam& seam_;
    const shared::Settings& settings_;
    bool cd_opened_ = false;
    bool cd_watch_active_ = false;
    bool cd_answered_ = false;  // a check has had the disc's track and count
    std::string mci_reply_;
};

}  // namespace music
