// The multimedia calls the music player makes, behind one small interface,
// so that the same player runs against the system's MCI and wave output
// under Windows and against a simulated device in tests.
#pragma once

#include <cstdint>

namespace music {

class MultimediaSeam {
public:
    virtual ~MultimediaSeam() = default;

    // mciSendStringA with no callback window. `reply` may be null, in which
    // case `reply_length` is 0; otherwise `reply_length` is the size of the
    // area in bytes, NUL included. Returns the MCI error code (0 = success).
    virtual std::uint32_t mci_send_string(const char* command, char* reply, std::uint32_t reply_length) = 0;

    // mciGetErrorStringA: the text of an MCI error code into `text`
    // (`text_length` bytes, NUL included). False when no text can be had.
    virtual bool mci_get_error_string(std::uint32_t code, char* text, std::uint32_t text_length) = 0;

    // PlaySoundA with no module handle. A null `sound` stops whatever
    // PlaySoundA is playing. Returns the call's boolean result.
    virtual bool play_sound(const char* sound, std::uint32_t flags) = 0;

    // waveOutGetNumDevs: the number of wave output devices (0 = none).
    virtual std::uint32_t wave_out_device_count() = 0;
};

}  // namespace music
