#include "saver/settings_dialog/settings_dialog_window.h"

#include <optional>

#include "common/win32/focus_cues.h"
#include "saver/settings_dialog/dialog_logic.h"

namespace settings_dialog {

std::vector<HWND> SettingsDialog::tab_order() const {
    return {panel_.hwnd(), repeat_, cmd_bgm_.hwnd(), cmd_set_.hwnd(), cmd_can_.hwnd(), cmd_etc_.hwnd()};
}

bool SettingsDialog::navigate(const MSG& message) noexcept {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))
        return false;
    const std::vector<HWND> order = tab_order();
    const int count = static_cast<int>(order.size());
    // The control that has the focus, a child of it (the repeat box's edit
    // field) counting as that control; the panel only when none of its own
    // controls has it.
    const HWND focus = GetFocus();
    int current = -1;
    for (int i = count - 1; i >= 0 && current < 0; --i) {
        if (order[i] && (focus == order[i] || IsChild(order[i], focus)))
            current = i;
    }
    // A button control stays a window that takes messages while its Enabled
    // is false; it is then no tab stop.
    std::vector<bool> takes_focus;
    for (const HWND control : order)
        takes_focus.push_back(control && IsWindowEnabled(control) && IsWindowVisible(control) &&
                              (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP));
    win32::show_focus_cues(hwnd());
    if (const std::optional<int> next = next_tab_stop(takes_focus, current, GetKeyState(VK_SHIFT) < 0))
        SetFocus(order[*next]);
    return true;
}

}  // namespace settings_dialog
