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

    // At the run's load, by BGM_Kind: 1 opens the CD device (watched only
    // when it opened: a device that is not open would be opened anew by
    // every command of the watch), 2 plays a WAV file looping or an MP3
    // file, which the file loop restarts; other files play nothing. A file
    // fades in from silence where its device takes a volume, timed from
    // when it has started (opening a file may take a while); a CD starts at
    // its own level.
    Timers Start();
    // One tick of the CD timer; false when the timer should go off.
    bool CdTick();
    // One tick of the file timer.
    void FileTick();
    // One tick of the fade timer: the volume for the time reached, sent when
    // it changed; false once the music is at its full level.
    bool FadeTick();
    // At the end of the run: stops what Start started (nothing when it has
    // stopped already). The CD device is stopped and closed whenever it was
    // opened, whether or not the watch still runs: a drive playing through
    // its own output would otherwise go on after the saver has ended. A wave
    // output left part-way through its fade gets its level back.
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
    enum class Fading { No, MusicFile, Wave };

    MusicPlayer& player_;
    const shared::Settings& settings_;
    Clock clock_;
    MusicFileType file_type_;
    bool started_ = false;
    Timers timers_;
    Fading fading_ = Fading::No;
    std::uint32_t fade_start_ms_ = 0;
    std::uint32_t sent_volume_ = 0;  // the last volume the fade sent
    std::uint32_t full_wave_volume_ = 0;
};

}  // namespace music
