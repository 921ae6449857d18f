// The form in which a music file chosen in the file chooser is kept. The
// saver plays its music through the ANSI multimedia and sound calls, which
// open only a path the system's ANSI code page holds. A chosen path it holds
// exactly is kept as it is; another is kept as its short (8.3) form where
// that form is one the code page holds; otherwise no form of the name can be
// opened, and the choice is refused rather than saved under a name by which
// the saver would be silent every night.
#pragma once

#include <optional>
#include <string>

namespace settings_dialog {

// The system's conversions of a path (win32/file_chooser.h: Win32PathForms).
class PathForms {
public:
    // The path in the ANSI code page, when it converts there and back
    // unchanged; nullopt when a character would be lost or replaced by a
    // look-alike ("é" by "e" or "?").
    virtual std::optional<std::string> exact_ansi(const std::wstring& path) const = 0;
    // The path with each part that has a short (8.3) name given by it; parts
    // without one (a volume that keeps no short names) stay as they are.
    // nullopt when the system cannot say (the file is gone).
    virtual std::optional<std::wstring> short_form(const std::wstring& path) const = 0;

protected:
    ~PathForms() = default;
};

// The path, in the ANSI code page, to keep in the settings for the file
// `chosen`; nullopt when the ANSI calls could open it by no name.
std::optional<std::string> stored_music_path(const PathForms& forms, const std::wstring& chosen);

}  // namespace settings_dialog
