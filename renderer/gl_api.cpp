#include "renderer/gl_api.h"

#include <cstring>

namespace renderer {
namespace {

HMODULE load_system_library(const char* name) {
    if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER)
        return nullptr;
    // A Windows 7 without the loader update knows no search flags: name the
    // system folder outright instead.
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) >= MAX_PATH)
        return nullptr;
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// void (*)(void) converts to and from any function pointer type without a
// -Wcast-function-type warning.
using AnyFunction = void (*)();

template <typename Function>
bool resolve(HMODULE module, const char* name, Function& out) {
    const FARPROC address = GetProcAddress(module, name);
    out = reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(address));
    return address != nullptr;
}

}  // namespace

bool GlApi::load() {
    const HMODULE opengl32 = load_system_library("opengl32.dll");
    const HMODULE glu32 = load_system_library("glu32.dll");
    if (!opengl32 || !glu32)
        return false;
    bool complete = true;
#define EL_RESOLVE_OPENGL32(name) complete = resolve(opengl32, #name, name) && complete;
#define EL_RESOLVE_GLU32(name) complete = resolve(glu32, #name, name) && complete;
    EL_OPENGL32_FUNCTIONS(EL_RESOLVE_OPENGL32)
    EL_GLU32_FUNCTIONS(EL_RESOLVE_GLU32)
#undef EL_RESOLVE_OPENGL32
#undef EL_RESOLVE_GLU32
    return complete;
}

void restrict_dll_search() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // Looked up rather than imported, so the program still starts on a
    // Windows 7 without the loader update (it then loads by full path).
    const auto set_directories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<AnyFunction>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (set_directories)
        set_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace renderer
