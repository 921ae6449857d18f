#include "common/session_state.h"

namespace common {

bool SessionPresence::notice(std::uint32_t event) {
    const bool before = seen();
    switch (static_cast<SessionEvent>(event)) {
        case SessionEvent::ConsoleConnect:
        case SessionEvent::RemoteConnect:
            connected_ = true;
            break;
        case SessionEvent::ConsoleDisconnect:
        case SessionEvent::RemoteDisconnect:
            connected_ = false;
            break;
        case SessionEvent::Lock:
            locked_ = true;
            break;
        case SessionEvent::Unlock:
            locked_ = false;
            break;
        default:
            break;
    }
    return seen() != before;
}

}  // namespace common
