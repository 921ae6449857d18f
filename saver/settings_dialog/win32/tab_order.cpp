#include "saver/settings_dialog/win32/tab_order.h"

#include <optional>

#include "common/win32/focus_cues.h"
#include "saver/settings_dialog/tab_order.h"

namespace settings_dialog {

bool is_tab_key_for(HWND dialog, const MSG& message) noexcept {
    return message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
           (message.hwnd == dialog || IsChild(dialog, message.hwnd));
}

void step_focus(HWND dialog, const std::vector<HWND>& order) noexcept {
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
    win32::show_focus_cues(dialog);
    if (const std::optional<int> next = next_tab_stop(takes_focus, current, GetKeyState(VK_SHIFT) < 0))
        SetFocus(order[*next]);
}

void FocusMemory::remember(HWND dialog) noexcept {
    const HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus))
        at_deactivation_ = focus;
}

bool FocusMemory::restore(HWND dialog, HWND fallback) noexcept {
    HWND control = at_deactivation_;
    if (!control || !IsChild(dialog, control) || !IsWindowEnabled(control) || !IsWindowVisible(control))
        control = fallback;
    if (!control)
        return false;
    SetFocus(control);
    return true;
}

}  // namespace settings_dialog
