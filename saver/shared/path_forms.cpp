#include "saver/shared/path_forms.h"

namespace shared {

std::optional<std::string> openable_ansi_path(const PathForms& forms, const std::wstring& path) {
    if (std::optional<std::string> exact = forms.exact_ansi(path))
        return exact;
    // A short form may keep a part the code page cannot hold (no short name
    // for it), or be made of characters it cannot hold either: only a form
    // that converts exactly is one the ANSI calls open.
    if (const std::optional<std::wstring> short_path = forms.short_form(path))
        return forms.exact_ansi(*short_path);
    return std::nullopt;
}

std::optional<std::string> program_folder_of(const PathForms& forms, const std::wstring& module_path) {
    // In UTF-16 a backslash is never part of another character.
    const std::size_t slash = module_path.rfind(L'\\');
    if (slash == std::wstring::npos || slash == 0)
        return std::string();
    return openable_ansi_path(forms, module_path.substr(0, slash));
}

}  // namespace shared
