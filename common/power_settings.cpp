#include "common/power_settings.h"

namespace common {
namespace {

// How much a display setting tells: the session's display over the
// console's over the monitor's power. 0 for a setting about something else.
int display_rank(PowerSetting setting) {
    switch (setting) {
        case PowerSetting::SessionDisplay:
            return 3;
        case PowerSetting::ConsoleDisplay:
            return 2;
        case PowerSetting::MonitorPower:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

bool DisplayPower::notice(PowerSetting setting, std::uint32_t value) {
    const int rank = display_rank(setting);
    if (rank == 0 || rank < strongest_heard_)
        return false;
    strongest_heard_ = rank;
    const bool shows = value != 0;  // on, or dimmed
    const bool changed = shows != shows_;
    shows_ = shows;
    return changed;
}

bool PowerSavers::notice(PowerSetting setting, std::uint32_t value) {
    const bool was_on = on();
    if (setting == PowerSetting::BatterySaver)
        battery_saver_ = value != 0;
    else if (setting == PowerSetting::EnergySaver)
        energy_saver_ = value != 0;  // standard or high savings
    return on() != was_on;
}

}  // namespace common
