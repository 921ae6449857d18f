// Windows DLLs that are not among the system's known DLLs (opengl32, glu32,
// winmm) are loaded at run time from the system folder only: an import, or a
// plain LoadLibrary, would also find a DLL of that name planted beside the
// program or in the working folder.
#pragma once

#include <windows.h>

namespace win32 {

// Makes the system folder the only place from which DLLs load by default,
// for the program's own loads and for those the system makes on its behalf
// (gdi32 loads opengl32 for the pixel-format calls). Where the call is
// missing (Windows 7 without its loader update) this does nothing and
// load_system_library names the folder outright.
void restrict_dll_search() noexcept;

// The named DLL (a bare file name such as "winmm.dll") from the system
// folder; null when it cannot be loaded. Modules stay loaded for the life
// of the process.
HMODULE load_system_library(const char* file_name) noexcept;

// Any function pointer converts to and from this one without a
// -Wcast-function-type warning.
using AnyFunction = void (*)();

// Looks up an export into `out`, whose type is the declared type of the
// function it stands for: declare it as decltype(&::name), so a calling
// convention that differs from the header's cannot compile. False (and a
// null `out`) when the module lacks it.
template <typename Function>
bool resolve(HMODULE module, const char* name, Function& out) noexcept {
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    out = reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(address));
    return address != nullptr;
}

}  // namespace win32
