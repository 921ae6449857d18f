// What the system's power notices tell both programs (WM_POWERBROADCAST with
// PBT_POWERSETTINGCHANGE), apart from the window procedures so it is tested
// natively. The values are Windows' own.
#pragma once

#include <cstdint>

namespace common {

// Which power setting a notice is about.
enum class PowerSetting {
    SessionDisplay,  // the display of the program's own session (Windows 8 and later): 0 off, 1 on, 2 dimmed
    ConsoleDisplay,  // the console's display (Windows 8 and later): 0 off, 1 on, 2 dimmed
    MonitorPower,    // the monitor's power (Windows 7 and earlier): 0 off, 1 on
    BatterySaver,    // battery saver (Windows 10 and later): 0 off, 1 on
    EnergySaver,     // energy saver (Windows 11 24H2 and later): 0 off, 1 standard, 2 high savings
    Other,
};

// Whether the display shows the picture. The system sends each setting's
// current value when one registers, and every later change. In a remote
// session the session's display is the one that matters, not the console's
// (whose monitor may sleep while the remote viewer watches): once the
// session's display has been heard it decides, over the console's, which in
// turn decides over the older monitor notices. A dimmed display counts as on.
class DisplayPower {
public:
    // Takes a notice; true when whether the display shows changed.
    bool notice(PowerSetting setting, std::uint32_t value);
    bool shows() const { return shows_; }

private:
    int strongest_heard_ = 0;  // the rank of the most telling display setting heard so far; 0 none
    bool shows_ = true;
};

// Whether the power plan asks programs to save energy: battery saver, or its
// successor energy saver, which may also be on while plugged in. The two are
// reported apart and either one asks, so one turning off does not cancel the
// other.
class PowerSavers {
public:
    // Takes a notice; true when whether a saver is on changed.
    bool notice(PowerSetting setting, std::uint32_t value);
    bool on() const { return battery_saver_ || energy_saver_; }

private:
    bool battery_saver_ = false;
    bool energy_saver_ = false;
};

}  // namespace common
