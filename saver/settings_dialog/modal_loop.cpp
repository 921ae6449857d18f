#include "saver/settings_dialog/settings_dialog_window.h"

namespace settings_dialog {

void SettingsDialog::show_modal() noexcept {
    // The window got its size before its controls existed; showing it is
    // when the dialog paints its gradients.
    Form_Resize();
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    SetFocus(panel_.hwnd());
    MSG message;
    while (!closed_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (navigate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace settings_dialog
