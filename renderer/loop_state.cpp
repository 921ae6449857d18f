#include "renderer/loop_state.h"

namespace renderer {

bool DisplayPower::notice(PowerSetting setting, std::uint32_t value) {
    switch (setting) {
        case PowerSetting::ConsoleDisplay:
            console_display_heard_ = true;
            break;
        case PowerSetting::MonitorPower:
            if (console_display_heard_)
                return false;
            break;
        case PowerSetting::Other:
            return false;
    }
    const bool shows = value != 0;  // on, or dimmed
    const bool changed = shows != shows_;
    shows_ = shows;
    return changed;
}

}  // namespace renderer
