// The file chooser of the music file, and the paths between the Unicode calls
// (the chooser) and the ANSI ones the settings file and the music player use.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "saver/settings_dialog/music_path.h"
#include "saver/settings_dialog/win32/shell_calls.h"

namespace settings_dialog {

// The chooser ("ﾌｧｲﾙを開く", MP3 and WAV files) owned by `owner`: the path
// chosen, as the user chose it; nullopt when cancelled or when comdlg32
// cannot be loaded.
std::optional<std::wstring> choose_music_file(ShellCalls& shell, HWND owner, HINSTANCE instance) noexcept;

// The path the settings keep for a file chosen in the chooser
// (stored_music_path); nullopt where the ANSI calls could open it by no name,
// after a message owned by `owner` has said so, with the name as chosen: the
// earlier choice stays.
std::optional<std::string> kept_music_path(HWND owner, const PathForms& forms, const std::wstring& chosen) noexcept;

class Win32PathForms final : public PathForms {
public:
    std::optional<std::string> exact_ansi(const std::wstring& path) const override;
    std::optional<std::wstring> short_form(const std::wstring& path) const override;
};

// `length` bytes of text in the ANSI code page (NULs within it included), as
// the Unicode calls take it: converted as the ANSI calls convert it.
std::wstring wide_from_ansi(const char* text, std::size_t length);
std::wstring wide_from_ansi(const std::string& text);

// The name to show for a music file kept in the settings: its long form, as
// the user chose it, where the file is there to say; else the path as kept.
std::wstring shown_file_name(const std::string& stored);

}  // namespace settings_dialog
