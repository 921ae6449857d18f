#include "saver/shared/win32/program_folder.h"

#include <windows.h>

#include <vector>

#include "saver/shared/win32/path_forms.h"

namespace shared {

// The wide call: the ANSI one gives a folder whose name the code page lacks
// with look-alikes or "?" in it, where nothing lies beside the program.
ProgramFolder program_folder() {
    std::vector<wchar_t> buffer(kLongestPathChars, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size())
        return {std::wstring(), std::string()};
    const std::wstring path(buffer.data(), length);
    const std::size_t slash = path.rfind(L'\\');
    return {slash == std::wstring::npos ? std::wstring() : path.substr(0, slash),
            program_folder_of(Win32PathForms(), path)};
}

}  // namespace shared
