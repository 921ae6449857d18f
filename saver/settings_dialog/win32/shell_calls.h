// The settings dialog's two calls into comdlg32 (the file chooser) and
// shell32 (the web button), and the file chooser of the music file with the
// paths between the Unicode calls (the chooser) and the ANSI ones the
// settings file and the music player use. Neither DLL is imported: an import is resolved
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

#include <optional>
#include <string>

#include "saver/shared/win32/path_forms.h"

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

using shared::PathForms;
using shared::wide_from_ansi;
using shared::Win32PathForms;

// The chooser ("ﾌｧｲﾙを開く", MP3 and WAV files) owned by `owner`: the path
// chosen, as the user chose it; nullopt when cancelled or when comdlg32
// cannot be loaded.
std::optional<std::wstring> choose_music_file(ShellCalls& shell, HWND owner, HINSTANCE instance) noexcept;

// The path the settings keep for a file chosen in the chooser
// (shared::openable_ansi_path); nullopt where the ANSI calls could open it by no name,
// after a message owned by `owner` has said so, with the name as chosen: the
// earlier choice stays.
std::optional<std::string> kept_music_path(HWND owner, const PathForms& forms, const std::wstring& chosen) noexcept;

// The name to show for a music file kept in the settings: its long form, as
// the user chose it, where the file is there to say; else the path as kept.
std::wstring shown_file_name(const std::string& stored);

}  // namespace settings_dialog
