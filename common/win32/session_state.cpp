#include "common/win32/session_state.h"

#include "common/win32/system_library.h"

namespace win32 {

void SessionNotices::listen(HWND window) noexcept {
    stop();
    const HMODULE wtsapi32 = load_system_library("wtsapi32.dll");
    decltype(&::WTSRegisterSessionNotification) register_notices = nullptr;
    if (!resolve(wtsapi32, "WTSRegisterSessionNotification", register_notices) ||
        !resolve(wtsapi32, "WTSUnRegisterSessionNotification", unregister_))
        return;
    if (register_notices(window, NOTIFY_FOR_THIS_SESSION))
        window_ = window;
}

void SessionNotices::stop() noexcept {
    if (window_ && unregister_)
        unregister_(window_);
    window_ = nullptr;
}

}  // namespace win32
