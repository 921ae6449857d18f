#include "saver/shared/win32/path_forms.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace shared {

std::wstring wide_from_ansi(const char* text, std::size_t length) {
    if (length == 0 || length > INT_MAX)
        return std::wstring();
    const int bytes = static_cast<int>(length);
    const int chars = MultiByteToWideChar(CP_ACP, 0, text, bytes, nullptr, 0);
    if (chars <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(chars), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text, bytes, wide.data(), chars) != chars)
        return std::wstring();
    return wide;
}

std::wstring wide_from_ansi(const std::string& text) {
    return wide_from_ansi(text.data(), text.size());
}

std::optional<std::string> Win32PathForms::exact_ansi(const std::wstring& path) const {
    if (path.empty())
        return std::string();
    if (path.size() > INT_MAX)
        return std::nullopt;
    const int chars = static_cast<int>(path.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, path.data(), chars, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::nullopt;
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, path.data(), chars, ansi.data(), bytes, nullptr, nullptr) != bytes)
        return std::nullopt;
    // A character the code page lacks comes out as a look-alike or "?", which
    // converts back to another character; so does one of two that share a
    // code (in code page 932 the wave dash U+301C is written as 81 60, the
    // fullwidth tilde U+FF5E's code). Only a path that comes back
    // whole names the same file through the ANSI calls.
    if (wide_from_ansi(ansi) != path)
        return std::nullopt;
    return ansi;
}

std::optional<std::wstring> Win32PathForms::short_form(const std::wstring& path) const {
    std::vector<wchar_t> buffer(kLongestPathChars, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return std::nullopt;
    return std::wstring(buffer.data(), length);
}

}  // namespace shared
