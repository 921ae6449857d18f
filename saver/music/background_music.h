// The music of one full-screen saver run, as the saver-run window drives it:
// what its load starts, what each of its two music timers does, and what the
// end of the run stops. Portable logic over the music player; the window only
// owns the timers and switches them as told.
#pragma once

#include "saver/music/music_player.h"
#include "saver/shared/settings.h"

namespace music {

class BackgroundMusic {
public:
    // Which music timers the load enables: the file loop (1000 ms) and the
    // CD watch (200 ms).
    struct Timers {
        bool file_loop = false;
        bool cd_watch = false;
    };

    // Both must outlive this; the settings do not change during a run.
    BackgroundMusic(MusicPlayer& player, const shared::Settings& settings);

    // At the run's load, by BGM_Kind: 1 opens the CD device (watched only
    // when it opened: a device that is not open would be opened anew by
    // every command of the watch), 2 plays a WAV file looping or an MP3
    // file, which the file loop restarts; other files play nothing.
    Timers Start();
    // One tick of the CD timer; false when the timer should go off.
    bool CdTick();
    // One tick of the file timer.
    void FileTick();
    // At the end of the run: stops what Start started. The CD device is
    // stopped and closed whenever it was opened, whether or not the watch
    // still runs: a drive playing through its own output would otherwise go
    // on after the saver has ended.
    void End();

private:
    MusicPlayer& player_;
    const shared::Settings& settings_;
    MusicFileType file_type_;
};

}  // namespace music
