#include "saver/settings_dialog/settings_dialog_window.h"

namespace settings_dialog {

// A window of our own class gets no dialog manager: left to itself, Windows
// gives the focus to the window itself whenever it is activated again (after
// Alt+Tab, a message box or the file chooser), and the keys no longer reach
// the control the user was at.
void SettingsDialog::remember_focus() noexcept {
    const HWND focus = GetFocus();
    if (focus && IsChild(hwnd(), focus))
        focus_at_deactivation_ = focus;
}

bool SettingsDialog::restore_focus() noexcept {
    HWND control = focus_at_deactivation_;
    // A control disabled or gone meanwhile cannot take it: then where the
    // dialog starts, the music panel.
    if (!control || !IsChild(hwnd(), control) || !IsWindowEnabled(control) || !IsWindowVisible(control))
        control = panel_.hwnd();
    if (!control)
        return false;
    SetFocus(control);
    return true;
}

}  // namespace settings_dialog
