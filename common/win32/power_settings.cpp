#include "common/win32/power_settings.h"

#include <cstring>

#include "common/win32/system_library.h"

namespace win32 {
namespace {

using common::PowerSetting;

// Defined here rather than taken from the system's import library, which
// lacks the newer ones.
constexpr GUID kSessionDisplayStatus = {0x2b84c20e, 0xad23, 0x4ddf, {0x93, 0xdb, 0x05, 0xff, 0xbd, 0x7e, 0xfc, 0xa5}};
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr GUID kPowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};
constexpr GUID kEnergySaverStatus = {0x550e8400, 0xe29b, 0x41d4, {0xa7, 0x16, 0x44, 0x66, 0x55, 0x44, 0x00, 0x00}};

bool same(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

const GUID* power_setting_guid(PowerSetting setting) noexcept {
    switch (setting) {
        case PowerSetting::SessionDisplay:
            return &kSessionDisplayStatus;
        case PowerSetting::ConsoleDisplay:
            return &kConsoleDisplayState;
        case PowerSetting::MonitorPower:
            return &kMonitorPowerOn;
        case PowerSetting::BatterySaver:
            return &kPowerSavingStatus;
        case PowerSetting::EnergySaver:
            return &kEnergySaverStatus;
        case PowerSetting::Other:
            break;
    }
    return nullptr;
}

void PowerNotices::listen(HWND window) noexcept {
    stop();
    decltype(&::RegisterPowerSettingNotification) register_notice = nullptr;
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!resolve(user32, "RegisterPowerSettingNotification", register_notice) ||
        !resolve(user32, "UnregisterPowerSettingNotification", unregister_))
        return;
    for (int s = 0; s < kSettings; ++s) {
        const GUID* guid = power_setting_guid(static_cast<PowerSetting>(s));
        registrations_[s] = register_notice(window, guid, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

void PowerNotices::stop() noexcept {
    for (HPOWERNOTIFY& registration : registrations_) {
        if (registration && unregister_)
            unregister_(registration);
        registration = nullptr;
    }
}

bool PowerNotices::read(LPARAM notice, PowerSetting& setting, std::uint32_t& value) noexcept {
    const auto* settings = reinterpret_cast<const POWERBROADCAST_SETTING*>(notice);
    if (!settings || settings->DataLength < sizeof value)
        return false;
    setting = PowerSetting::Other;
    for (int s = 0; s < kSettings; ++s) {
        if (same(settings->PowerSetting, *power_setting_guid(static_cast<PowerSetting>(s))))
            setting = static_cast<PowerSetting>(s);
    }
    std::memcpy(&value, settings->Data, sizeof value);
    return true;
}

}  // namespace win32
