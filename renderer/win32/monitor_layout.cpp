#include "renderer/win32/monitor_layout.h"

#include <windows.h>

#include "common/win32/geometry.h"
#include "common/win32/handles.h"
#include "common/win32/struct_sizes.h"

namespace renderer {
namespace {

BOOL CALLBACK collect_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) noexcept {
    MONITORINFOEXA info{};
    EL_ASSERT_SHIPPED_SIZE(MONITORINFOEXA, 72);
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<Monitor>*>(param)->push_back(
            {win32::pixel_rect(info.rcMonitor), (info.dwFlags & MONITORINFOF_PRIMARY) != 0, info.szDevice});
    }
    return TRUE;
}

}  // namespace

std::vector<Monitor> list_monitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, collect_monitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        const win32::WindowDc screen(nullptr);
        if (screen)
            monitors.push_back(
                {{0, 0, GetDeviceCaps(screen.get(), HORZRES), GetDeviceCaps(screen.get(), VERTRES)}, true, "screen"});
    }
    return monitors;
}

}  // namespace renderer
