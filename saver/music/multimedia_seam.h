// The four multimedia calls the music player makes, behind one small
// interface, so that the same player runs against the system's MCI and wave
// output under Windows and against a simulated device in tests.
#pragma once

#include <cstdint>

class MultimediaSeam {
  public:
    virtual ~MultimediaSeam() = default;

    // mciSendStringA with no callback window. `reply` may be null, in which
    // case `replyLength` is 0; otherwise `replyLength` is the size of the
    // area in bytes, NUL included. Returns the MCI error code (0 = success).
    virtual std::uint32_t MciSendString(const char* command, char* reply, std::uint32_t replyLength) = 0;

    // mciGetErrorStringA: the text of an MCI error code into `text`
    // (`textLength` bytes, NUL included). False when no text can be had.
    virtual bool MciGetErrorString(std::uint32_t code, char* text, std::uint32_t textLength) = 0;

    // PlaySoundA with no module handle. A null `sound` stops whatever
    // PlaySoundA is playing. Returns the call's boolean result.
    virtual bool PlaySoundAnsi(const char* sound, std::uint32_t flags) = 0;

    // waveOutGetNumDevs: the number of wave output devices (0 = none).
    virtual std::uint32_t WaveOutDeviceCount() = 0;
};
