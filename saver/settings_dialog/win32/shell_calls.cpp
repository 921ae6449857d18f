#include "saver/settings_dialog/win32/shell_calls.h"

#include <cstring>
#include <vector>

#include "common/win32/struct_sizes.h"
#include "common/win32/system_library.h"
#include "saver/shared/texts.h"

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

namespace {

// A chooser buffer too short for the chosen path makes the chooser fail as if
// cancelled.
constexpr DWORD kPathBufferChars = shared::kLongestPathChars;
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
    if (std::optional<std::string> stored = shared::openable_ansi_path(forms, chosen))
        return stored;
    // Refused at once, the earlier choice kept: saved, the saver would be
    // silent every night with no word why. The name is shown as chosen, which
    // only the Unicode message box can.
    const std::wstring message = wide_from_ansi(texts::kFileNameUnusable) + L"\r\n\r\n" + chosen;
    MessageBoxW(owner, message.c_str(), wide_from_ansi(texts::kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return std::nullopt;
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
