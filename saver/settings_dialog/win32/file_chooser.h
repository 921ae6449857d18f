// The file chooser of the music file, and the paths between the Unicode calls
// (the chooser) and the ANSI ones the settings file and the music player use.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "saver/settings_dialog/win32/shell_calls.h"
#include "saver/shared/win32/path_forms.h"

namespace settings_dialog {

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
