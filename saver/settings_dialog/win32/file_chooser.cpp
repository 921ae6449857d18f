#include "saver/settings_dialog/win32/file_chooser.h"

#include <climits>
#include <cstring>
#include <vector>

#include "common/win32/struct_sizes.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

// The longest path Windows can name, in UTF-16 units, and its NUL. A chooser
// buffer too short for the chosen path makes the chooser fail as if
// cancelled.
constexpr DWORD kPathBufferChars = 32768;
// The chooser itself refuses a name that does not exist (and says so), so
// nothing is kept that the saver would silently drop at its next start; the
// read-only box means nothing here; and the program's current folder stays.
constexpr DWORD kFileChooserFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

// Bytes of a filter list (strings ending in NUL, the list ending in another).
std::size_t filter_bytes(const char* filter) {
    const char* end = filter;
    while (*end)
        end += std::strlen(end) + 1;
    return static_cast<std::size_t>(end - filter) + 1;
}

}  // namespace

// The chooser in Unicode: its ANSI form hands back a name the code page
// cannot hold with look-alikes or "?" in it, a file that does not exist.
std::optional<std::wstring> choose_music_file(ShellCalls& shell, HWND owner, HINSTANCE instance) noexcept {
    OPENFILENAMEW chooser{};
    EL_ASSERT_SHIPPED_SIZE(OPENFILENAMEW, 88);
    // OPENFILENAME_SIZE_VERSION_400W, which the header works out with a cast
    // that no constant expression may hold.
    constexpr DWORD kChooserSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#if defined(_WIN32) && !defined(_WIN64)
    static_assert(kChooserSize == 76, "the chooser's record without the fields Windows 2000 added");
#endif
    const std::wstring filter = wide_from_ansi(texts::kFileFilter, filter_bytes(texts::kFileFilter));
    const std::wstring title = wide_from_ansi(texts::kFileChooserTitle, std::strlen(texts::kFileChooserTitle) + 1);
    std::vector<wchar_t> file(kPathBufferChars, L'\0');
    // Without the fields Windows 2000 added: no places bar, as the chooser
    // has always looked. No file-title buffer: nothing reads it, so nothing
    // may fail for its size.
    chooser.lStructSize = kChooserSize;
    chooser.hwndOwner = owner;
    chooser.hInstance = instance;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kPathBufferChars;
    chooser.lpstrTitle = title.c_str();
    chooser.Flags = kFileChooserFlags;
    if (shell.GetOpenFileNameW(chooser) <= 0)
        return std::nullopt;
    file.back() = L'\0';
    return std::wstring(file.data());
}
std::optional<std::string> kept_music_path(HWND owner, const PathForms& forms, const std::wstring& chosen) noexcept {
    if (std::optional<std::string> stored = stored_music_path(forms, chosen))
        return stored;
    // Refused at once, the earlier choice kept: saved, the saver would be
    // silent every night with no word why. The name is shown as chosen, which
    // only the Unicode message box can.
    const std::wstring message = wide_from_ansi(texts::kFileNameUnusable) + L"\r\n\r\n" + chosen;
    MessageBoxW(owner, message.c_str(), wide_from_ansi(texts::kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return std::nullopt;
}

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
    std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), kPathBufferChars);
    if (length == 0 || length >= kPathBufferChars)
        return std::nullopt;
    return std::wstring(buffer.data(), length);
}

std::wstring shown_file_name(const std::string& stored) {
    const std::wstring wide = wide_from_ansi(stored);
    if (wide.empty())
        return wide;
    std::vector<wchar_t> buffer(kPathBufferChars, L'\0');
    const DWORD length = GetLongPathNameW(wide.c_str(), buffer.data(), kPathBufferChars);
    if (length == 0 || length >= kPathBufferChars)
        return wide;
    return std::wstring(buffer.data(), length);
}

}  // namespace settings_dialog
