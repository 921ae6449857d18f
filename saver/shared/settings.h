// The user's one choice, the background music, as held in memory for the run.
// Loaded once at start-up from the settings file beside the saver; read by the
// saver run and the music player; edited and saved by the settings dialog.
#pragma once

#include <cstdint>
#include <string>

namespace shared {

// The values of BGM_Kind, as the settings file stores them; other values play
// nothing.
inline constexpr std::int16_t kMusicNone = 0;
inline constexpr std::int16_t kMusicCd = 1;
inline constexpr std::int16_t kMusicFile = 2;

struct Settings {
    // kMusicNone, kMusicCd or kMusicFile (an MP3 or WAV file).
    std::int16_t BGM_Kind = kMusicNone;
    // Audio CD only: 0 = the whole disc, n > 0 = track n over and over.
    std::int16_t BGM_RepeatTrack = 0;
    // Full path of the MP3 or WAV file, in the ANSI code page; empty = none.
    std::string BGM_File;
};

}  // namespace shared
