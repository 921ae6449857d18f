// The session's notices a window listens to (session_state.h decides what
// they mean): WM_WTSSESSION_CHANGE for a lock, an unlock, and the console's
// or a remote connection coming and going. wtsapi32 is loaded from the
// system folder at run time, so a program still starts where it is missing.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <wtsapi32.h>

namespace win32 {

class SessionNotices {
public:
    SessionNotices() = default;
    SessionNotices(const SessionNotices&) = delete;
    SessionNotices& operator=(const SessionNotices&) = delete;
    ~SessionNotices() { stop(); }

    // Asks for the notices of this session on `window`.
    void listen(HWND window) noexcept;
    // Before the window is destroyed, as the system asks.
    void stop() noexcept;

private:
    HWND window_ = nullptr;  // while registered
    decltype(&::WTSUnRegisterSessionNotification) unregister_ = nullptr;
};

}  // namespace win32
