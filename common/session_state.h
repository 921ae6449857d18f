// What the session's notices (WM_WTSSESSION_CHANGE) tell both programs,
// apart from the window procedures so it is tested natively: whether anybody
// can see the session. A locked session shows the lock screen over the
// saver; a session whose console or remote connection is gone (another
// account switched in, a remote viewer left) shows nothing of it at all.
// The event codes are Windows' own (wParam).
#pragma once

#include <cstdint>

namespace common {

enum class SessionEvent : std::uint32_t {
    ConsoleConnect = 1,     // WTS_CONSOLE_CONNECT
    ConsoleDisconnect = 2,  // WTS_CONSOLE_DISCONNECT
    RemoteConnect = 3,      // WTS_REMOTE_CONNECT
    RemoteDisconnect = 4,   // WTS_REMOTE_DISCONNECT
    Lock = 7,               // WTS_SESSION_LOCK
    Unlock = 8,             // WTS_SESSION_UNLOCK
};

// No notice tells the state at registration: a saver starts in a session
// that is connected and unlocked (Windows starts it there), and follows the
// changes from then on.
class SessionPresence {
public:
    // Takes a notice's event code; true when whether the session is seen
    // changed. Codes that say nothing of it (log-on, remote control) are
    // ignored.
    bool notice(std::uint32_t event);
    bool seen() const { return connected_ && !locked_; }

private:
    bool connected_ = true;
    bool locked_ = false;
};

}  // namespace common
