#include "renderer/window_input.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using renderer::InputKind;
using renderer::LoopEnd;

TEST(WindowInput, KeyReleases) {
    struct Case {
        unsigned key;
        std::optional<LoopEnd> end;  // none: the key goes to gl_input
    } const cases[] = {
        {0x09, LoopEnd::SwitchMode},  // Tab
        {0x1B, LoopEnd::Quit},        // Esc
        {0x20, std::nullopt},         // space: the frame-rate text
        {0x0D, std::nullopt},         // Enter
        {0x41, std::nullopt},         // A
        {0x109, std::nullopt},        // not Tab, though its low byte is
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::loop_end_for_key(c.key), c.end) << std::hex << c.key;
}

TEST(WindowInput, RefusesOnlyExactScreenSaverAndMonitorPowerCommands) {
    struct Case {
        std::uintptr_t command;
        bool refused;
    } const cases[] = {
        {0xF140, true},   {0xF170, true},   // SC_SCREENSAVE, SC_MONITORPOWER
        {0xF141, false},  {0xF172, false},  // the same with other low bits: default handling
        {0xF020, false},  {0xF060, false},  // minimise, close
        {0x1F140, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::refuses_system_command(c.command), c.refused) << std::hex << c.command;
}

TEST(WindowInput, MouseMoveButtonCode) {
    struct Case {
        std::uintptr_t key_state;
        int code;
    } const cases[] = {
        {0x0000, -1}, {0x0001, 0},  {0x0002, 1}, {0x0003, -1},  // none, left, right, both
        {0x0005, -1}, {0x0010, -1},                             // left with Shift, middle
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::mouse_move_button(c.key_state), c.code) << std::hex << c.key_state;
}

TEST(WindowInput, OnlyASpaceReleaseTogglesTheFrameRateText) {
    struct Case {
        InputKind kind;
        int code;
        bool toggles;
    } const cases[] = {
        {InputKind::KeyUp, 0x20, true},       {InputKind::KeyUp, 0x0D, false},   {InputKind::KeyUp, 0x46, false},
        {InputKind::ButtonDown, 0x20, false}, {InputKind::ButtonDown, 0, false}, {InputKind::ButtonUp, 1, false},
        {InputKind::MouseMove, -1, false},    {InputKind::MouseMove, 0, false},
    };
    for (const Case& c : cases) {
        scene::FrameRate state;
        ASSERT_TRUE(state.show_fps);
        renderer::gl_input(state, c.kind, c.code, 10, 20);
        EXPECT_EQ(state.show_fps, !c.toggles) << static_cast<int>(c.kind) << " " << c.code;
        renderer::gl_input(state, c.kind, c.code, 10, 20);
        EXPECT_TRUE(state.show_fps) << "a second event restores it";
    }
}

}  // namespace
