#include "saver/settings_dialog/settings_dialog_window.h"

#include "saver/shared/texts.h"

namespace settings_dialog {

void SettingsDialog::Cmd_Etc_Click() noexcept {
    wait_cursor_ = true;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    shell_.ShellExecuteA(hwnd(), "open", texts::kWebAddress, "", "", SW_SHOWNORMAL);
    wait_cursor_ = false;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace settings_dialog
