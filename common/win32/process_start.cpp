#include "common/win32/process_start.h"

#include <windows.h>

#include <exception>

#include "common/win32/system_library.h"

namespace win32 {
namespace {

[[noreturn]] void end_quietly() noexcept {
    // Not ExitProcess: after a failure nothing more of the program, its
    // static destructors or the DLLs' detach code, may run.
    TerminateProcess(GetCurrentProcess(), 0);
    ExitProcess(0);
}

}  // namespace

void start_process() noexcept {
    const UINT inherited = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(inherited | SEM_FAILCRITICALERRORS);
    restrict_dll_search();
    std::set_terminate(end_quietly);
}

}  // namespace win32
