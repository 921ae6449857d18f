// The user's one choice, the background music, as held in memory for the run.
// Loaded once at start-up from the settings file beside the saver; read by the
// saver run and the music player; edited and saved by the settings dialog.
#pragma once

#include <cstdint>
#include <string>

namespace shared {

struct Settings {
    // 0 no music, 1 audio CD, 2 music file (MP3 or WAV); other values play nothing.
    std::int16_t BGM_Kind = 0;
    // Audio CD only: 0 = the whole disc, n > 0 = track n over and over.
    std::int16_t BGM_RepeatTrack = 0;
    // Full path of the MP3 or WAV file, in the ANSI code page; empty = none.
    std::string BGM_File;
};

}  // namespace shared
