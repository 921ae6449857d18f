#include "common/session_state.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using common::SessionEvent;

struct Step {
    std::uint32_t event;
    bool changed, seen;  // what notice() returns, and seen() after it
};

constexpr std::uint32_t code(SessionEvent e) {
    return static_cast<std::uint32_t>(e);
}

TEST(SessionPresence, SeenOnlyWhileConnectedAndUnlocked) {
    const struct Case {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"locked by the inactivity policy, then unlocked",
         {{code(SessionEvent::Lock), true, false}, {code(SessionEvent::Unlock), true, true}}},
        {"another account switched in, then back",
         {{code(SessionEvent::ConsoleDisconnect), true, false}, {code(SessionEvent::ConsoleConnect), true, true}}},
        {"a remote viewer leaves, then connects again",
         {{code(SessionEvent::RemoteDisconnect), true, false}, {code(SessionEvent::RemoteConnect), true, true}}},
        {"locked, then the console taken away: unlocking alone does not show it",
         {{code(SessionEvent::Lock), true, false},
          {code(SessionEvent::ConsoleDisconnect), false, false},
          {code(SessionEvent::Unlock), false, false},
          {code(SessionEvent::ConsoleConnect), true, true}}},
        {"disconnected at the console, taken up remotely",
         {{code(SessionEvent::ConsoleDisconnect), true, false}, {code(SessionEvent::RemoteConnect), true, true}}},
        {"repeated notices change nothing",
         {{code(SessionEvent::Unlock), false, true}, {code(SessionEvent::ConsoleConnect), false, true}}},
        {"log-on, log-off, remote control and unknown codes say nothing",
         {{5, false, true}, {6, false, true}, {9, false, true}, {0, false, true}, {0xFFFFFFFF, false, true}}},
    };
    for (const Case& c : cases) {
        common::SessionPresence presence;
        for (const Step& step : c.steps) {
            EXPECT_EQ(presence.notice(step.event), step.changed) << c.name << ", event " << step.event;
            EXPECT_EQ(presence.seen(), step.seen) << c.name << ", event " << step.event;
        }
    }
}

}  // namespace
