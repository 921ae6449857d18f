#include "common/win32/focus_cues.h"

namespace win32 {

void start_with_focus_cues_hidden(HWND top_level) noexcept {
    BOOL always = FALSE;
    if (SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &always, 0) && always)
        return;
    SendMessageA(top_level, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

void show_focus_cues(HWND any) noexcept {
    SendMessageA(GetAncestor(any, GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool focus_cues_shown(HWND control) noexcept {
    return (SendMessageA(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

}  // namespace win32
