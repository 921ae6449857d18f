#include "saver/settings_dialog/settings_dialog_window.h"

#include "saver/settings_dialog/dialog_logic.h"
#include "saver/shared/texts.h"
#include "saver/shared/win32_settings.h"

namespace settings_dialog {
namespace {

// Characters read of the repeat box.
constexpr int kRepeatTextSize = 256;

}  // namespace

void SettingsDialog::Cmd_Set_Click() noexcept {
    char repeat_text[kRepeatTextSize] = {};
    GetWindowTextA(repeat_, repeat_text, sizeof repeat_text);
    shared::Win32SettingsSystem system;
    if (save_settings(system, settings_, repeat_text, ini_path_)) {
        Form_Unload();
        return;
    }
    // Not saved: say so, and leave the dialog open, so the choice is not lost
    // as if it had been kept.
    const std::string message = std::string(texts::kSaveFailed) + "\r\n\r\n" + ini_path_;
    MessageBoxA(hwnd(), message.c_str(), texts::kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace settings_dialog
