#include "renderer/win32/power_notices.h"

#include <cstring>

#include "common/win32/system_library.h"

namespace renderer {
namespace {

// Defined here rather than taken from the system's import library.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

bool same(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

void PowerNotices::listen(HWND window) noexcept {
    stop();
    decltype(&::RegisterPowerSettingNotification) register_notice = nullptr;
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!win32::resolve(user32, "RegisterPowerSettingNotification", register_notice) ||
        !win32::resolve(user32, "UnregisterPowerSettingNotification", unregister_))
        return;
    registrations_[0] = register_notice(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    registrations_[1] = register_notice(window, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
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
    if (same(settings->PowerSetting, kConsoleDisplayState))
        setting = PowerSetting::ConsoleDisplay;
    else if (same(settings->PowerSetting, kMonitorPowerOn))
        setting = PowerSetting::MonitorPower;
    else
        setting = PowerSetting::Other;
    std::memcpy(&value, settings->Data, sizeof value);
    return true;
}

}  // namespace renderer
