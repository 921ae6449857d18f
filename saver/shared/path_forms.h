// The form in which a path the system gives in Unicode is used through the
// ANSI calls, which open only a path the system's ANSI code page holds: the
// music file chosen in the file chooser, and the program's own folder, where
// the renderer and the settings file lie. A path the code page holds exactly
// is used as it is; another by its short (8.3) form where that form is one
// the code page holds; otherwise no form of the name can be opened, and the
// caller refuses it in words rather than act on a name with look-alikes or
// "?" in it, which names another file or none.
#pragma once

#include <optional>
#include <string>

namespace shared {

// The system's conversions of a path (win32/path_forms.h: Win32PathForms).
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

// The path, in the ANSI code page, by which the ANSI calls open `path`;
// nullopt when they could open it by no name.
std::optional<std::string> openable_ansi_path(const PathForms& forms, const std::wstring& path);

// The folder of the program file at `module_path` (the wide call's answer),
// without a trailing backslash, in the form the ANSI calls open
// (openable_ansi_path); "" for a path without a folder; nullopt when the
// folder's name can be opened by no ANSI form.
std::optional<std::string> program_folder_of(const PathForms& forms, const std::wstring& module_path);

}  // namespace shared
