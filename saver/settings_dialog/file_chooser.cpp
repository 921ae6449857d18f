#include "saver/settings_dialog/settings_dialog_window.h"

#include <cstddef>
#include <cstring>
#include <optional>
#include <vector>

#include "common/win32/struct_sizes.h"
#include "saver/settings_dialog/win32_path_forms.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

// Characters of the file chooser's buffer: the longest path Windows can name,
// and its NUL. A buffer too short for the chosen path makes the chooser fail
// as if cancelled.
constexpr DWORD kFileBufferChars = 32768;
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
void SettingsDialog::Cmd_BGM_Click() noexcept {
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
    std::vector<wchar_t> file(kFileBufferChars, L'\0');
    // Without the fields Windows 2000 added: no places bar, as the chooser
    // has always looked. No file-title buffer: nothing reads it, so nothing
    // may fail for its size.
    chooser.lStructSize = kChooserSize;
    chooser.hwndOwner = hwnd();
    chooser.hInstance = instance_;
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kFileBufferChars;
    chooser.lpstrTitle = title.c_str();
    chooser.Flags = kFileChooserFlags;
    if (shell_.GetOpenFileNameW(chooser) > 0) {
        file.back() = L'\0';
        take_music_file(file.data());
    }
}

void SettingsDialog::take_music_file(const std::wstring& chosen) noexcept {
    if (const std::optional<std::string> stored = stored_music_path(path_forms_, chosen)) {
        settings_.BGM_File = *stored;
        // The name the user chose, not the short form kept for the ANSI calls.
        panel_.show_file_name(chosen);
        return;
    }
    // Refused at once, the earlier choice kept: saved, the saver would be
    // silent every night with no word why. The name is shown as chosen, which
    // only the Unicode message box can.
    const std::wstring message = wide_from_ansi(texts::kFileNameUnusable) + L"\r\n\r\n" + chosen;
    MessageBoxW(hwnd(), message.c_str(), wide_from_ansi(texts::kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace settings_dialog
