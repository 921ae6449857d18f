#include "saver/music/background_music.h"

#include <utility>

#include "saver/music/music_fade.h"

namespace music {

BackgroundMusic::BackgroundMusic(MusicPlayer& player, const shared::Settings& settings, Clock clock)
    : player_(player),
      settings_(settings),
      clock_(std::move(clock)),
      file_type_(music_file_type_of(settings.BGM_File)) {}

BackgroundMusic::Timers BackgroundMusic::Start() {
    if (started_) {
        return timers_;
    }
    started_ = true;
    timers_ = Timers();
    fading_ = Fading::No;
    if (settings_.BGM_Kind == shared::kMusicCd) {
        player_.OpenCdAudio();
        timers_.cd_watch = player_.CdAudioOpened();
    } else if (settings_.BGM_Kind == shared::kMusicFile) {
        if (file_type_ == MusicFileType::Wav) {
            // The level the output has now is the one to rise to: the user's
            // own for this program, which the system keeps between runs.
            if (player_.GetWaveVolume(full_wave_volume_) && player_.SetWaveVolume(0)) {
                fading_ = Fading::Wave;
            }
            player_.PlayWaveFile();
        } else if (file_type_ == MusicFileType::Mp3) {
            if (player_.PlayMusicFile(true)) {
                fading_ = Fading::MusicFile;
            }
            timers_.file_loop = true;
        }
    }
    timers_.fade = fading_ != Fading::No;
    fade_start_ms_ = clock_();
    sent_volume_ = 0;
    return timers_;
}

bool BackgroundMusic::CdTick() {
    player_.CheckCdAudio();
    timers_.cd_watch = player_.CdWatchActive();
    return timers_.cd_watch;
}

void BackgroundMusic::FileTick() {
    player_.LoopMusicFile();
}

bool BackgroundMusic::FadeTick() {
    if (fading_ == Fading::No) {
        return false;
    }
    const std::uint32_t elapsed = clock_() - fade_start_ms_;
    const double gain = fade_in_gain(elapsed);
    if (fading_ == Fading::MusicFile) {
        const auto volume = static_cast<std::uint32_t>(mci_volume_for(gain));
        if (volume != sent_volume_) {
            player_.SetMusicFileVolume(static_cast<int>(volume));
        }
        sent_volume_ = volume;
    } else {
        const std::uint32_t volume = wave_volume_for(gain, full_wave_volume_);
        if (volume != sent_volume_) {
            player_.SetWaveVolume(volume);
        }
        sent_volume_ = volume;
    }
    if (elapsed >= kFadeInMs) {
        fading_ = Fading::No;
    }
    timers_.fade = fading_ != Fading::No;
    return timers_.fade;
}

void BackgroundMusic::End() {
    if (!started_) {
        return;
    }
    started_ = false;
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
    // The system keeps this program's wave level for its next start.
    if (fading_ == Fading::Wave) {
        player_.SetWaveVolume(full_wave_volume_);
    }
    fading_ = Fading::No;
    timers_ = Timers();
}

BackgroundMusic::Timers BackgroundMusic::FollowDisplay(bool shows) {
    if (shows) {
        return Start();
    }
    End();
    return timers_;
}

}  // namespace music
