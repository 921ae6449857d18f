#include "renderer/loop_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using renderer::DisplayPower;
using renderer::PowerSetting;

TEST(LoopState, TheDisplayShowsUnlessItsPowerNoticesSayOff) {
    struct Notice {
        PowerSetting setting;
        std::uint32_t value;
        bool changed, shows;
    };
    struct Case {
        const char* name;
        std::vector<Notice> notices;
    } const cases[] = {
        {"off, dimmed, on",
         {{PowerSetting::ConsoleDisplay, 1, false, true},
          {PowerSetting::ConsoleDisplay, 0, true, false},
          {PowerSetting::ConsoleDisplay, 2, true, true},
          {PowerSetting::ConsoleDisplay, 1, false, true}}},
        {"older systems: the monitor's power alone",
         {{PowerSetting::MonitorPower, 0, true, false}, {PowerSetting::MonitorPower, 1, true, true}}},
        {"once the console display is heard, the monitor notices say nothing",
         {{PowerSetting::ConsoleDisplay, 0, true, false},
          {PowerSetting::MonitorPower, 1, false, false},
          {PowerSetting::ConsoleDisplay, 1, true, true},
          {PowerSetting::MonitorPower, 0, false, true}}},
        {"other settings", {{PowerSetting::Other, 0, false, true}}},
    };
    for (const Case& c : cases) {
        DisplayPower power;
        for (const Notice& n : c.notices) {
            EXPECT_EQ(power.notice(n.setting, n.value), n.changed) << c.name;
            EXPECT_EQ(power.shows(), n.shows) << c.name;
        }
    }
}

}  // namespace
