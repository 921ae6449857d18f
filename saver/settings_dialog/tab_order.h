// Where Tab and Shift+Tab move the settings dialog's focus. The dialog is a
// window of its own class, with no dialog manager to do it
// (win32/tab_order.h carries it out).
#pragma once

#include <optional>
#include <vector>

namespace settings_dialog {

// The control of the tab order that gets the focus next. `takes_focus` holds,
// for each control in tab order, whether it can take the focus now (enabled,
// visible, a tab stop); `current` is the index of the control that has the
// focus, -1 when none of them has it. Forward the search starts after
// `current` (at the first control when -1), backwards before it (at the last
// control when -1), and wraps round once; every control is tried at most
// once, `current` itself last. nullopt when none can take the focus.
std::optional<int> next_tab_stop(const std::vector<bool>& takes_focus, int current, bool backwards);

}  // namespace settings_dialog
