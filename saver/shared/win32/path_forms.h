// Paths between the Unicode calls (the file chooser, the program's own file
// name) and the ANSI ones the settings file, the music and the renderer's
// start use (Windows only).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "saver/shared/path_forms.h"

namespace shared {

class Win32PathForms final : public PathForms {
public:
    std::optional<std::string> exact_ansi(const std::wstring& path) const override;
    std::optional<std::wstring> short_form(const std::wstring& path) const override;
};

// `length` bytes of text in the ANSI code page (NULs within it included), as
// the Unicode calls take it: converted as the ANSI calls convert it.
std::wstring wide_from_ansi(const char* text, std::size_t length);
std::wstring wide_from_ansi(const std::string& text);

// The longest path Windows can name, in UTF-16 units, and its NUL.
constexpr std::size_t kLongestPathChars = 32768;

}  // namespace shared
