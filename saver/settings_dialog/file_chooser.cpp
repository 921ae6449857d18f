#include "saver/settings_dialog/settings_dialog_window.h"

#include <cstddef>
#include <vector>

#include "common/win32/struct_sizes.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

// Bytes of the file chooser's buffer: the longest path Windows can name
// (32767 characters) at two bytes a character in a double-byte code page, and
// its NUL. A buffer too short for the chosen path makes the chooser fail as
// if cancelled.
constexpr DWORD kFileBufferSize = 2 * 32768;
// The chooser itself refuses a name that does not exist (and says so), so
// nothing is kept that the saver would silently drop at its next start; the
// read-only box means nothing here; and the program's current folder stays.
constexpr DWORD kFileChooserFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

}  // namespace

void SettingsDialog::Cmd_BGM_Click() noexcept {
    OPENFILENAMEA chooser{};
    EL_ASSERT_SHIPPED_SIZE(OPENFILENAMEA, 88);
    // OPENFILENAME_SIZE_VERSION_400A, which the header works out with a cast
    // that no constant expression may hold.
    constexpr DWORD kChooserSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if defined(_WIN32) && !defined(_WIN64)
    static_assert(kChooserSize == 76, "the chooser's record without the fields Windows 2000 added");
#endif
    std::vector<char> file(kFileBufferSize, '\0');
    // Without the fields Windows 2000 added: no places bar, as the chooser
    // has always looked. No file-title buffer: nothing reads it, so nothing
    // may fail for its size.
    chooser.lStructSize = kChooserSize;
    chooser.hwndOwner = hwnd();
    chooser.hInstance = instance_;
    chooser.lpstrFilter = texts::kFileFilter;
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kFileBufferSize;
    chooser.lpstrTitle = texts::kFileChooserTitle;
    chooser.Flags = kFileChooserFlags;
    if (shell_.GetOpenFileNameA(chooser) > 0) {
        file.back() = '\0';
        settings_.BGM_File = file.data();
        panel_.show_file_name(settings_.BGM_File);
    }
}

}  // namespace settings_dialog
