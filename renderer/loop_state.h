// Whether the renderer's loop draws for the display's power, apart from the
// window procedure so it is tested natively. The codes are Windows' own
// values.
#pragma once

#include <cstdint>

namespace renderer {

// Which power setting a notice is about (WM_POWERBROADCAST with
// PBT_POWERSETTINGCHANGE).
enum class PowerSetting {
    ConsoleDisplay,  // the console display's state (Windows 8 and later): 0 off, 1 on, 2 dimmed
    MonitorPower,    // the monitor's power (Windows 7 and earlier): 0 off, 1 on
    Other,
};

// Whether the display shows the picture. Both settings are listened to; once
// the console display's state has been heard (the system sends the current
// value when one registers), the older monitor notices are ignored, so on
// newer systems a dimmed display still counts as on.
class DisplayPower {
public:
    // Takes a notice; true when whether the display shows changed.
    bool notice(PowerSetting setting, std::uint32_t value);
    bool shows() const { return shows_; }

private:
    bool shows_ = true;
    bool console_display_heard_ = false;
};

}  // namespace renderer
