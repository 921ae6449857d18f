#include "common/win32/system_library.h"

#include <cstdio>

namespace win32 {

void restrict_dll_search() noexcept {
    decltype(&::SetDefaultDllDirectories) set_default_directories = nullptr;
    if (resolve(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories", set_default_directories))
        set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE load_system_library(const char* file_name) noexcept {
    if (HMODULE module = LoadLibraryExA(file_name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    // A system that knows no search flags: name the system folder outright.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    char path[MAX_PATH];
    const int written = std::snprintf(path, sizeof path, "%s\\%s", folder, file_name);
    if (written < 0 || static_cast<unsigned>(written) >= sizeof path)
        return nullptr;
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace win32
