// The settings dialog's two calls into comdlg32 (the file chooser) and
// shell32 (the web button). Neither DLL is imported: an import is resolved
// before the program can restrict the DLL search, and both pull in comctl32,
// which Windows does not protect, so a comctl32.dll planted beside the saver
// would be loaded at every start, /s and /p included. They are loaded from
// the system folder when first called, after start-up has restricted the
// search, so their own dependencies come from there too.
#pragma once

#include <windows.h>
// after windows.h, which they need
#include <commdlg.h>
#include <shellapi.h>

namespace settings_dialog {

class ShellCalls {
public:
    // GetOpenFileNameW. FALSE, as for a cancelled chooser, when comdlg32
    // cannot be loaded.
    BOOL GetOpenFileNameW(OPENFILENAMEW& chooser) noexcept;
    // ShellExecuteA. Does nothing when shell32 cannot be loaded; its result
    // is not looked at.
    void ShellExecuteA(HWND owner,
                       const char* verb,
                       const char* file,
                       const char* parameters,
                       const char* directory,
                       int show) noexcept;

private:
    bool comdlg32_tried_ = false;
    decltype(&::GetOpenFileNameW) get_open_file_name_ = nullptr;
    bool shell32_tried_ = false;
    decltype(&::ShellExecuteA) shell_execute_ = nullptr;
};

}  // namespace settings_dialog
