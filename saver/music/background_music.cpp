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
    fading_ = false;
    silent_ticks_ = 0;
    reopened_ = false;
    if (settings_.BGM_Kind == shared::kMusicCd) {
        player_.OpenCdAudio();
        timers_.cd_watch = player_.CdAudioOpened();
    } else if (settings_.BGM_Kind == shared::kMusicFile) {
        if (file_type_ == MusicFileType::Wav) {
            player_.PlayWaveFile();
        } else if (file_type_ == MusicFileType::Mp3) {
            fading_ = player_.PlayMusicFile(true);
            timers_.file_loop = true;
        }
    }
    timers_.fade = fading_;
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
    if (player_.LoopMusicFile()) {
        silent_ticks_ = 0;
        return;
    }
    if (++silent_ticks_ < kSilentTicksToReopen || !reopen_due()) {
        return;
    }
    reopened_ = true;
    reopened_ms_ = clock_();
    silent_ticks_ = 0;
    // A new stream starts at the device's full level: during the fade it
    // starts silent again and the next fade tick sets the level reached.
    player_.CloseMusicFile();
    fading_ = player_.PlayMusicFile(fading_);
    sent_volume_ = 0;
    timers_.fade = fading_;
}

bool BackgroundMusic::reopen_due() {
    return !reopened_ || clock_() - reopened_ms_ >= kReopenIntervalMs;
}

bool BackgroundMusic::FadeTick() {
    if (!fading_) {
        return false;
    }
    const std::uint32_t elapsed = clock_() - fade_start_ms_;
    const int volume = mci_volume_for(fade_in_gain(elapsed));
    if (volume != sent_volume_) {
        player_.SetMusicFileVolume(volume);
    }
    sent_volume_ = volume;
    if (elapsed >= kFadeInMs) {
        fading_ = false;
    }
    timers_.fade = fading_;
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
    fading_ = false;
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
