// The keyboard focus of the settings dialog, a window of its own class: what
// the dialog manager does for a real dialog, it does here. Tab and Shift+Tab
// move the focus along the tab order (the decision is tab_order.h's), and the
// control that had the focus gets it back when the dialog is activated again.
#pragma once

#include <windows.h>

#include <vector>

namespace settings_dialog {

// Whether the message is a Tab key going down (with Shift or without) in
// `dialog` or one of its controls.
bool is_tab_key_for(HWND dialog, const MSG& message) noexcept;

// Tab, or Shift+Tab while Shift is down: the focus to the next control of
// `order` (the tab order; a null entry is skipped) that can take it, and the
// focus rectangles shown from now on.
void step_focus(HWND dialog, const std::vector<HWND>& order) noexcept;

// Left to itself, Windows gives the focus to the window itself whenever it is
// activated again (after Alt+Tab, a message box or the file chooser), and the
// keys no longer reach the control the user was at.
class FocusMemory {
public:
    // WM_ACTIVATE, deactivated: the control of `dialog` that has the focus.
    void remember(HWND dialog) noexcept;
    // WM_ACTIVATE, activated: the focus back to that control or, where it is
    // disabled or gone meanwhile, to `fallback`. False when none can take it.
    bool restore(HWND dialog, HWND fallback) noexcept;

private:
    HWND at_deactivation_ = nullptr;
};

}  // namespace settings_dialog
