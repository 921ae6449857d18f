#include "saver/music/win32_multimedia.h"

#include <windows.h>

#include <string>

namespace {

// winmm's exports, declared here because the module is loaded, not imported.
using MciSendStringFn = DWORD(WINAPI*)(LPCSTR command, LPSTR reply, UINT replyLength, HWND callback);
using MciGetErrorStringFn = BOOL(WINAPI*)(DWORD code, LPSTR text, UINT textLength);
using PlaySoundFn = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);
using WaveOutGetNumDevsFn = UINT(WINAPI*)();

// MCIERR_CANNOT_LOAD_DRIVER: what a machine without the driver answers.
constexpr DWORD kNoDriver = 266;

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    // Through void(*)(), which GCC accepts as a cast to any function type.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class Win32Multimedia final : public MultimediaSeam {
  public:
    std::uint32_t MciSendString(const char* command, char* reply, std::uint32_t replyLength) override {
        Load();
        if (!mciSendString_) {
            if (reply && replyLength > 0) {
                reply[0] = '\0';
            }
            return kNoDriver;
        }
        return mciSendString_(command, reply, replyLength, nullptr);
    }

    bool MciGetErrorString(std::uint32_t code, char* text, std::uint32_t textLength) override {
        Load();
        return mciGetErrorString_ && mciGetErrorString_(code, text, textLength) != FALSE;
    }

    bool PlaySoundAnsi(const char* sound, std::uint32_t flags) override {
        Load();
        return playSound_ && playSound_(sound, nullptr, flags) != FALSE;
    }

    std::uint32_t WaveOutDeviceCount() override {
        Load();
        return waveOutGetNumDevs_ ? waveOutGetNumDevs_() : 0;
    }

  private:
    void Load() {
        if (tried_) {
            return;
        }
        tried_ = true;
        // Only the system folder: a winmm.dll planted beside the saver or in
        // the working folder must never be loaded.
        HMODULE module = LoadLibraryExA("winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!module && GetLastError() == ERROR_INVALID_PARAMETER) {
            // Windows 7 without the update that brought the flag: name the
            // system folder explicitly instead.
            char folder[MAX_PATH] = {};
            const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
            if (length > 0 && length < MAX_PATH - 11) {
                std::string path(folder, length);
                path += "\\winmm.dll";
                module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
            }
        }
        if (!module) {
            return;
        }
        // The module is never freed: MCI devices and PlaySoundA go on playing
        // on winmm's own threads until the process ends.
        mciSendString_ = Export<MciSendStringFn>(module, "mciSendStringA");
        mciGetErrorString_ = Export<MciGetErrorStringFn>(module, "mciGetErrorStringA");
        playSound_ = Export<PlaySoundFn>(module, "PlaySoundA");
        waveOutGetNumDevs_ = Export<WaveOutGetNumDevsFn>(module, "waveOutGetNumDevs");
    }

    bool tried_ = false;
    MciSendStringFn mciSendString_ = nullptr;
    MciGetErrorStringFn mciGetErrorString_ = nullptr;
    PlaySoundFn playSound_ = nullptr;
    WaveOutGetNumDevsFn waveOutGetNumDevs_ = nullptr;
};

}  // namespace

std::unique_ptr<MultimediaSeam> CreateWin32MultimediaSeam() {
    return std::make_unique<Win32Multimedia>();
}
