#include "saver/music/win32/music_player.h"

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include "common/win32/system_library.h"
#include "saver/music/music_player.h"

namespace music {

static_assert(kSndAsync == SND_ASYNC && kSndNoDefault == SND_NODEFAULT && kSndLoop == SND_LOOP &&
                  kSndFilename == SND_FILENAME,
              "the player's PlaySoundA flags are the system's");

namespace {

// MCIERR_CANNOT_LOAD_DRIVER: what a machine without the driver answers.
constexpr DWORD kNoDriver = 266;

class Win32Multimedia final : public MultimediaSeam {
public:
    std::uint32_t mci_send_string(const char* command, char* reply, std::uint32_t reply_length) override {
        load();
        if (!mci_send_string_) {
            if (reply && reply_length > 0)
                reply[0] = '\0';
            return kNoDriver;
        }
        return mci_send_string_(command, reply, reply_length, nullptr);
    }

    bool mci_get_error_string(std::uint32_t code, char* text, std::uint32_t text_length) override {
        load();
        return mci_get_error_string_ && mci_get_error_string_(code, text, text_length) != FALSE;
    }

    bool play_sound(const char* sound, std::uint32_t flags) override {
        load();
        return play_sound_ && play_sound_(sound, nullptr, flags) != FALSE;
    }

    std::uint32_t wave_out_device_count() override {
        load();
        return wave_out_get_num_devs_ ? wave_out_get_num_devs_() : 0;
    }

private:
    void load() {
        if (tried_)
            return;
        tried_ = true;
        // The module is never freed: MCI devices and PlaySoundA go on playing
        // on winmm's own threads until the process ends.
        const HMODULE winmm = win32::load_system_library("winmm.dll");
        win32::resolve(winmm, "mciSendStringA", mci_send_string_);
        win32::resolve(winmm, "mciGetErrorStringA", mci_get_error_string_);
        win32::resolve(winmm, "PlaySoundA", play_sound_);
        win32::resolve(winmm, "waveOutGetNumDevs", wave_out_get_num_devs_);
    }

    bool tried_ = false;
    decltype(&::mciSendStringA) mci_send_string_ = nullptr;
    decltype(&::mciGetErrorStringA) mci_get_error_string_ = nullptr;
    decltype(&::PlaySoundA) play_sound_ = nullptr;
    decltype(&::waveOutGetNumDevs) wave_out_get_num_devs_ = nullptr;
};

}  // namespace

std::unique_ptr<MultimediaSeam> create_win32_multimedia_seam() {
    return std::make_unique<Win32Multimedia>();
}

}  // namespace music
