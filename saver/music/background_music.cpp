#include "saver/music/background_music.h"

namespace music {

BackgroundMusic::BackgroundMusic(MusicPlayer& player, const shared::Settings& settings)
    : player_(player), settings_(settings), file_type_(music_file_type_of(settings.BGM_File)) {}

BackgroundMusic::Timers BackgroundMusic::Start() {
    Timers timers;
    if (settings_.BGM_Kind == shared::kMusicCd) {
        player_.OpenCdAudio();
        timers.cd_watch = player_.CdAudioOpened();
    } else if (settings_.BGM_Kind == shared::kMusicFile) {
        if (file_type_ == MusicFileType::Wav) {
            player_.PlayWaveFile();
        } else if (file_type_ == MusicFileType::Mp3) {
            player_.PlayMusicFile();
            timers.file_loop = true;
        }
    }
    return timers;
}

bool BackgroundMusic::CdTick() {
    player_.CheckCdAudio();
    return player_.CdWatchActive();
}

void BackgroundMusic::FileTick() {
    player_.LoopMusicFile();
}

void BackgroundMusic::End() {
    if (player_.CdAudioOpened()) {
        player_.CloseCdAudio();
    }
    if (settings_.BGM_Kind == shared::kMusicFile) {
        if (file_type_ == MusicFileType::Wav) {
            player_.StopWaveFile();
        } else if (file_type_ == MusicFileType::Mp3) {
            player_.CloseMusicFile();
        }
    }
}

}  // namespace music
