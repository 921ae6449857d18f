// The display's power notices for the renderer's window: Windows turns the
// display off on its own timer while a screen saver runs, and music keeps the
// machine itself awake, so the renderer listens and draws nothing for a dark
// screen. Registered per window (the registration dies with it); the calls
// are looked up at run time, so the program still starts where they are
// missing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "renderer/loop_state.h"

namespace renderer {

class PowerNotices {
public:
    PowerNotices() = default;
    PowerNotices(const PowerNotices&) = delete;
    PowerNotices& operator=(const PowerNotices&) = delete;
    ~PowerNotices() { stop(); }

    // Asks for the console display's state and the monitor's power on
    // `window` (WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE); the system then
    // sends each one's current value.
    void listen(HWND window) noexcept;
    // Before the window is destroyed.
    void stop() noexcept;

    // The setting and value a PBT_POWERSETTINGCHANGE notice carries (its
    // lParam); false for a notice with no value.
    static bool read(LPARAM notice, PowerSetting& setting, std::uint32_t& value) noexcept;

private:
    HPOWERNOTIFY registrations_[2] = {};
    decltype(&::UnregisterPowerSettingNotification) unregister_ = nullptr;
};

}  // namespace renderer
