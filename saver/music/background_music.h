// The music of one full-screen saver run, as the saver-run window drives it:
// what its load starts, what each of its music timers does, what the
// display turning off and on again does, and what the end of the run stops.
// Portable logic over the music player; the window only owns the timers and
// sets and kills them to match timers() after each call.
#pragma once

#include <cstdint>
#include <functional>

#include "saver/music/music_player.h"
#include "saver/shared/settings.h"

namespace music {

class BackgroundMusic {
public:
    // The music timers that should run: the file loop (1000 ms), the CD
    // watch (200 ms) and the fade-in (50 ms).
    struct Timers {
        bool file_loop = false;
        bool cd_watch = false;
        bool fade = false;
    };

    // A millisecond clock that may wrap (GetTickCount).
    using Clock = std::function<std::uint32_t()>;

    // Both must outlive this; the settings do not change during a run.
    BackgroundMusic(MusicPlayer& player, const shared::Settings& settings, Clock clock);

    // File ticks in a row without the MP3 playing after which its device
    // counts as lost (a headset unplugged, another default output): a file
    // that merely ended plays again at the tick after the one that found it
    // stopped.
    static constexpr int kSilentTicksToReopen = 3;
    // The least time between two reopenings, so that a file that stays
    // silent (no output at all) is not opened over and over.
    static constexpr std::uint32_t kReopenIntervalMs = 10000;

    // At the run's load, by BGM_Kind: 1 opens the CD device (watched only
    // when it opened: a device that is not open would be opened anew by
    // every command of the watch), 2 plays a WAV file looping or an MP3
    // file, which the file loop restarts; other files play nothing. An MP3
    // fades in from silence where its device takes a volume (the stream's
    // own, gone with it), timed from when it has started (opening a file may
    // take a while). A WAV and a CD start at their own level: the only level
    // PlaySoundA's output takes is this program's in the system's volume
    // mixer, which the system keeps from run to run, so a run that ended in
    // its fade (killed, crashed, overlapped by another) would leave it low.
    Timers Start();
    // One tick of the CD timer; false when the timer should go off.
    bool CdTick();
    // One tick of the file timer: restarts a file that has ended; one that
    // has not played for kSilentTicksToReopen ticks is closed and opened
    // anew, which binds the system's present default output, and plays from
    // its start, at most once every kReopenIntervalMs.
    void FileTick();
    // One tick of the fade timer: the volume for the time reached, sent when
    // it changed; false once the music is at its full level.
    bool FadeTick();
    // At the end of the run: stops what Start started (nothing when it has
    // stopped already). The CD device is stopped and closed whenever it was
    // opened, whether or not the watch still runs: a drive playing through
    // its own output would otherwise go on after the saver has ended.
    void End();

    // The display turned off (false) or shows again (true, also dimmed).
    // Off releases the music as End does, so that no open device or audio
    // stream keeps the machine from sleeping (a paused one would); on starts
    // it again as at the start of the run, fade included.
    Timers FollowDisplay(bool shows);

    // The timers that should run now.
    Timers timers() const { return timers_; }
    // Between Start and End.
    bool Started() const { return started_; }

private:
    bool reopen_due();

    MusicPlayer& player_;
    const shared::Settings& settings_;
    Clock clock_;
    MusicFileType file_type_;
    bool started_ = false;
    Timers timers_;
    bool fading_ = false;
    std::uint32_t fade_start_ms_ = 0;
    int sent_volume_ = 0;  // the last volume the fade sent
    int silent_ticks_ = 0;
    bool reopened_ = false;  // since Start
    std::uint32_t reopened_ms_ = 0;
};

}  // namespace music
