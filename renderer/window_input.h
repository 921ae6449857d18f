// What the renderer's window does with keys, system commands and the mouse,
// decided apart from the window procedure so it is tested natively.
// The codes are Windows' own values.
#pragma once

#include <cstdint>
#include <optional>

#include "renderer/scene/scene_state.h"
#include "renderer/window_life.h"

namespace renderer {

constexpr unsigned kKeyTab = 0x09;     // VK_TAB
constexpr unsigned kKeyEscape = 0x1B;  // VK_ESCAPE
constexpr unsigned kKeySpace = 0x20;   // VK_SPACE

// How a key's release ends the window's loop: Tab switches the mode (full
// screen / 1024 x 768), Esc quits. Nothing for any other key, which goes to
// gl_input.
std::optional<LoopEnd> loop_end_for_key(unsigned virtual_key);

// True for exactly SC_SCREENSAVE and SC_MONITORPOWER: the renderer keeps the
// screen to itself. The same commands with other low bits take the default path.
bool refuses_system_command(std::uintptr_t command);

// The button code gl_input gets with a mouse move: 0 when exactly the left
// button is held, 1 when exactly the right one is, otherwise -1.
int mouse_move_button(std::uintptr_t key_state);

enum class InputKind { ButtonDown = 0, ButtonUp = 1, MouseMove = 2, KeyUp = 4 };

// The input hook: releasing the space bar toggles the frame-rate text;
// everything else, the mouse included, has no effect.
void gl_input(scene::FrameRate& rate, InputKind kind, int code, int x, int y);

}  // namespace renderer
