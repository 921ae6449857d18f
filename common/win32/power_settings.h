// The power notices a window listens to (power_settings.h decides what they
// mean): the display's state, the session's display and the monitor's power,
// for Windows turns the display off on its own timer while a screen saver
// runs; and the power plan's battery and energy savers. Registered per
// window (the registration dies with it); the calls are looked up at run
// time, so a program still starts where they are missing, and a setting an
// older Windows does not know is simply never sent.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/power_settings.h"

namespace win32 {

// The GUID Windows names `setting` by; null for PowerSetting::Other.
const GUID* power_setting_guid(common::PowerSetting setting) noexcept;

class PowerNotices {
public:
    PowerNotices() = default;
    PowerNotices(const PowerNotices&) = delete;
    PowerNotices& operator=(const PowerNotices&) = delete;
    ~PowerNotices() { stop(); }

    // Asks for every setting of power_settings.h on `window` (WM_POWERBROADCAST,
    // PBT_POWERSETTINGCHANGE); the system then sends each one's current value.
    void listen(HWND window) noexcept;
    // Before the window is destroyed.
    void stop() noexcept;

    // The setting and value a PBT_POWERSETTINGCHANGE notice carries (its
    // lParam); false for a notice with no value.
    static bool read(LPARAM notice, common::PowerSetting& setting, std::uint32_t& value) noexcept;

private:
    static constexpr int kSettings = static_cast<int>(common::PowerSetting::Other);
    HPOWERNOTIFY registrations_[kSettings] = {};
    decltype(&::UnregisterPowerSettingNotification) unregister_ = nullptr;
};

}  // namespace win32
