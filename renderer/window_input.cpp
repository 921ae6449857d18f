#include "renderer/window_input.h"

namespace renderer {
namespace {

constexpr std::uintptr_t kScreenSave = 0xF140;    // SC_SCREENSAVE
constexpr std::uintptr_t kMonitorPower = 0xF170;  // SC_MONITORPOWER
constexpr std::uintptr_t kLeftButton = 0x0001;    // MK_LBUTTON
constexpr std::uintptr_t kRightButton = 0x0002;   // MK_RBUTTON

}  // namespace

std::optional<LoopEnd> loop_end_for_key(unsigned virtual_key) {
    switch (virtual_key) {
        case kKeyTab:
            return LoopEnd::SwitchMode;
        case kKeyEscape:
            return LoopEnd::Quit;
        default:
            return std::nullopt;
    }
}

bool refuses_system_command(std::uintptr_t command) {
    return command == kScreenSave || command == kMonitorPower;
}

int mouse_move_button(std::uintptr_t key_state) {
    if (key_state == kLeftButton)
        return 0;
    if (key_state == kRightButton)
        return 1;
    return -1;
}

void gl_input(scene::FrameRate& rate, InputKind kind, int code, int /*x*/, int /*y*/) {
    if (kind == InputKind::KeyUp && code == static_cast<int>(kKeySpace))
        rate.show_fps = !rate.show_fps;
}

}  // namespace renderer
