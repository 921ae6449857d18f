#include "renderer/win32/pacing/frame_pacer.h"

// The compositor's timing structure follows <windows.h>.
#include <dwmapi.h>

#include <cwchar>
#include <vector>

#include "common/win32/struct_sizes.h"
#include "common/win32/system_library.h"
#include "renderer/frame_pacer.h"

namespace renderer {
namespace {

constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr UINT kTimerPeriodMs = 1;
constexpr std::int64_t kHundredNanosecondsPerSecond = 10'000'000;

// Windows 7's display configuration calls, looked up so the program still
// starts where they are missing.
struct DisplayConfigCalls {
    decltype(&::GetDisplayConfigBufferSizes) buffer_sizes = nullptr;
    decltype(&::QueryDisplayConfig) query = nullptr;
    decltype(&::DisplayConfigGetDeviceInfo) device_info = nullptr;

    bool load() {
        const HMODULE user32 = GetModuleHandleA("user32.dll");
        return win32::resolve(user32, "GetDisplayConfigBufferSizes", buffer_sizes) &&
               win32::resolve(user32, "QueryDisplayConfig", query) &&
               win32::resolve(user32, "DisplayConfigGetDeviceInfo", device_info);
    }
};

double ratio(UINT32 numerator, UINT32 denominator) {
    return denominator != 0 ? static_cast<double>(numerator) / static_cast<double>(denominator) : 0.0;
}

bool believable(double hz) {
    return refresh_rate_or_default(hz) == hz;
}

// The active path whose source is the GDI device `device` ("\\.\DISPLAY1"):
// its target's rate, as the numerator and denominator the driver reports.
double display_config_rate(const wchar_t* device) {
    DisplayConfigCalls calls;
    if (!calls.load())
        return 0.0;
    EL_ASSERT_SHIPPED_SIZE(DISPLAYCONFIG_PATH_INFO, 72);
    EL_ASSERT_SHIPPED_SIZE(DISPLAYCONFIG_MODE_INFO, 64);
    EL_ASSERT_SHIPPED_SIZE(DISPLAYCONFIG_SOURCE_DEVICE_NAME, 84);
    std::vector<DISPLAYCONFIG_PATH_INFO> paths;
    std::vector<DISPLAYCONFIG_MODE_INFO> modes;
    // The configuration may change between the two calls: ask again.
    LONG result = ERROR_INSUFFICIENT_BUFFER;
    for (int attempt = 0; attempt < 3 && result == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        UINT32 path_count = 0, mode_count = 0;
        if (calls.buffer_sizes(QDC_ONLY_ACTIVE_PATHS, &path_count, &mode_count) != ERROR_SUCCESS)
            return 0.0;
        paths.resize(path_count);
        modes.resize(mode_count);
        result = calls.query(QDC_ONLY_ACTIVE_PATHS, &path_count, paths.data(), &mode_count, modes.data(), nullptr);
        paths.resize(path_count);
    }
    if (result != ERROR_SUCCESS)
        return 0.0;
    for (const DISPLAYCONFIG_PATH_INFO& path : paths) {
        DISPLAYCONFIG_SOURCE_DEVICE_NAME source{};
        source.header.type = DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME;
        source.header.size = sizeof source;
        source.header.adapterId = path.sourceInfo.adapterId;
        source.header.id = path.sourceInfo.id;
        if (calls.device_info(&source.header) != ERROR_SUCCESS || std::wcscmp(source.viewGdiDeviceName, device) != 0)
            continue;
        const double hz = ratio(path.targetInfo.refreshRate.Numerator, path.targetInfo.refreshRate.Denominator);
        if (believable(hz))
            return hz;
    }
    return 0.0;
}

// The compositor's refresh: one figure for the whole desktop, so only for
// the primary monitor.
double compositor_rate() {
    using TimingCall = decltype(&::DwmGetCompositionTimingInfo);
    TimingCall timing_info = nullptr;
    if (!win32::resolve(win32::load_system_library("dwmapi.dll"), "DwmGetCompositionTimingInfo", timing_info))
        return 0.0;
    DWM_TIMING_INFO timing{};
    EL_ASSERT_SHIPPED_SIZE(DWM_TIMING_INFO, 292);
    timing.cbSize = sizeof timing;
    if (FAILED(timing_info(nullptr, &timing)))
        return 0.0;
    const double hz = ratio(timing.rateRefresh.uiNumerator, timing.rateRefresh.uiDenominator);
    return believable(hz) ? hz : 0.0;
}

}  // namespace

RefreshRate monitor_refresh_rate(HMONITOR monitor) noexcept {
    MONITORINFOEXW info{};
    EL_ASSERT_SHIPPED_SIZE(MONITORINFOEXW, 104);
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return {};
    if (const double hz = display_config_rate(info.szDevice))
        return {hz, "display-config"};
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        if (const double hz = compositor_rate())
            return {hz, "compositor"};
    }
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode) && believable(mode.dmDisplayFrequency))
        return {static_cast<double>(mode.dmDisplayFrequency), "display-settings"};
    return {};
}

FrameWaiter::~FrameWaiter() {
    if (end_period_)
        end_period_(kTimerPeriodMs);
}

void FrameWaiter::set_up() noexcept {
    set_up_ = true;
    decltype(&::CreateWaitableTimerExW) create_timer = nullptr;
    if (win32::resolve(GetModuleHandleA("kernel32.dll"), "CreateWaitableTimerExW", create_timer))
        timer_ = win32::UniqueHandle(create_timer(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
    if (timer_)
        return;
    // Older systems refuse the flag: make the system timer fine for the run.
    const HMODULE winmm = win32::load_system_library("winmm.dll");
    decltype(&::timeBeginPeriod) begin_period = nullptr;
    decltype(&::timeEndPeriod) end_period = nullptr;
    if (win32::resolve(winmm, "timeBeginPeriod", begin_period) && win32::resolve(winmm, "timeEndPeriod", end_period) &&
        begin_period(kTimerPeriodMs) == 0)
        end_period_ = end_period;
}

void FrameWaiter::wait(std::int64_t ticks, std::int64_t ticks_per_second) noexcept {
    if (ticks <= 0 || ticks_per_second <= 0)
        return;
    if (!set_up_)
        set_up();
    // MWMO_INPUTAVAILABLE: input already in the queue ends the wait too.
    if (timer_) {
        LARGE_INTEGER due;
        due.QuadPart = -(ticks * kHundredNanosecondsPerSecond / ticks_per_second);  // relative
        if (SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
            const HANDLE handles[] = {timer_.get()};
            MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            return;
        }
    }
    // Rounded up: a wait shorter than asked would come back to a frame not
    // yet due and wait again, close to spinning; the running deadline makes
    // up for the longer one.
    const std::int64_t ms = (ticks * 1000 + ticks_per_second - 1) / ticks_per_second;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

const char* FrameWaiter::timing() const noexcept {
    if (!set_up_)
        return "none";
    if (timer_)
        return "high-resolution-timer";
    return end_period_ ? "1ms-system-timer" : "system-timer";
}

}  // namespace renderer
