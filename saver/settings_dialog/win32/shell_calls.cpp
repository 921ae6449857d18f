#include "saver/settings_dialog/win32/shell_calls.h"

#include "common/win32/system_library.h"

namespace settings_dialog {

BOOL ShellCalls::GetOpenFileNameW(OPENFILENAMEW& chooser) noexcept {
    if (!comdlg32_tried_) {
        comdlg32_tried_ = true;
        win32::resolve(win32::load_system_library("comdlg32.dll"), "GetOpenFileNameW", get_open_file_name_);
    }
    return get_open_file_name_ ? get_open_file_name_(&chooser) : FALSE;
}

void ShellCalls::ShellExecuteA(HWND owner,
                               const char* verb,
                               const char* file,
                               const char* parameters,
                               const char* directory,
                               int show) noexcept {
    if (!shell32_tried_) {
        shell32_tried_ = true;
        win32::resolve(win32::load_system_library("shell32.dll"), "ShellExecuteA", shell_execute_);
    }
    if (shell_execute_)
        shell_execute_(owner, verb, file, parameters, directory, show);
}

}  // namespace settings_dialog
