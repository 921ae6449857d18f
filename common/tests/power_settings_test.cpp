#include "common/power_settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using common::DisplayPower;
using common::PowerSavers;
using common::PowerSetting;

struct Notice {
    PowerSetting setting;
    std::uint32_t value;
    bool changed, after;  // what notice() returns, and the state after it
};

struct Case {
    const char* name;
    std::vector<Notice> notices;
};

TEST(PowerSettings, TheDisplayShowsUnlessTheMostTellingOfItsNoticesSaysOff) {
    const Case cases[] = {
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
        {"a remote session: its own display decides, whatever the console's monitor does",
         {{PowerSetting::ConsoleDisplay, 1, false, true},
          {PowerSetting::SessionDisplay, 1, false, true},
          {PowerSetting::ConsoleDisplay, 0, false, true},
          {PowerSetting::MonitorPower, 0, false, true},
          {PowerSetting::SessionDisplay, 0, true, false},
          {PowerSetting::ConsoleDisplay, 1, false, false},
          {PowerSetting::SessionDisplay, 2, true, true}}},
        {"the session's display heard first, the console's current value after it",
         {{PowerSetting::SessionDisplay, 0, true, false}, {PowerSetting::ConsoleDisplay, 1, false, false}}},
        {"the savers and other settings say nothing of the display",
         {{PowerSetting::BatterySaver, 0, false, true},
          {PowerSetting::EnergySaver, 0, false, true},
          {PowerSetting::Other, 0, false, true}}},
    };
    for (const Case& c : cases) {
        DisplayPower power;
        for (const Notice& n : c.notices) {
            EXPECT_EQ(power.notice(n.setting, n.value), n.changed) << c.name;
            EXPECT_EQ(power.shows(), n.after) << c.name;
        }
    }
}

TEST(PowerSettings, EitherSaverAsksToSaveEnergyUntilBothAreOff) {
    const Case cases[] = {
        {"battery saver on and off",
         {{PowerSetting::BatterySaver, 0, false, false},
          {PowerSetting::BatterySaver, 1, true, true},
          {PowerSetting::BatterySaver, 0, true, false}}},
        {"energy saver, standard and high savings",
         {{PowerSetting::EnergySaver, 1, true, true},
          {PowerSetting::EnergySaver, 2, false, true},
          {PowerSetting::EnergySaver, 0, true, false}}},
        {"one turning off does not cancel the other",
         {{PowerSetting::BatterySaver, 1, true, true},
          {PowerSetting::EnergySaver, 1, false, true},
          {PowerSetting::BatterySaver, 0, false, true},
          {PowerSetting::EnergySaver, 0, true, false}}},
        {"the display's notices say nothing of the savers",
         {{PowerSetting::ConsoleDisplay, 1, false, false}, {PowerSetting::SessionDisplay, 0, false, false}}},
    };
    for (const Case& c : cases) {
        PowerSavers savers;
        for (const Notice& n : c.notices) {
            EXPECT_EQ(savers.notice(n.setting, n.value), n.changed) << c.name;
            EXPECT_EQ(savers.on(), n.after) << c.name;
        }
    }
}

}  // namespace
