// Focus rectangles as Windows shows them: hidden in a window the user works
// with the mouse, shown from the first key that moves the focus or a choice
// (or always, where the user has asked for keyboard cues in the system's
// settings). The state lives with the top-level window (WM_CHANGEUISTATE,
// WM_UPDATEUISTATE); a control asks it with WM_QUERYUISTATE.
#pragma once

#include <windows.h>

namespace win32 {

// A newly made top-level window: focus rectangles hidden unless the user
// wants keyboard cues always.
void start_with_focus_cues_hidden(HWND top_level) noexcept;

// A key moved the focus or a choice in the window holding `any`: show focus
// rectangles from now on.
void show_focus_cues(HWND any) noexcept;

// Whether `control` should draw its focus rectangle now.
bool focus_cues_shown(HWND control) noexcept;

}  // namespace win32
