#include "saver/settings_dialog/music_path.h"

namespace settings_dialog {

std::optional<std::string> stored_music_path(const PathForms& forms, const std::wstring& chosen) {
    if (std::optional<std::string> exact = forms.exact_ansi(chosen))
        return exact;
    // A short form may keep a part the code page cannot hold (no short name
    // for it), or be made of characters it cannot hold either: only a form
    // that converts exactly is one the ANSI calls open.
    if (const std::optional<std::wstring> short_path = forms.short_form(chosen))
        return forms.exact_ansi(*short_path);
    return std::nullopt;
}

}  // namespace settings_dialog
