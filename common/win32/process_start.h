// What both programs do first thing in WinMain, before any other call.
#pragma once

namespace win32 {

// - No critical-error box: a path on an empty removable drive (a stored
//   music file, say) fails quietly instead of asking for a disk while the
//   screen saver starts. Child processes inherit the mode.
// - DLLs load from the system folder only (system_library.h).
// - An exception that nothing catches, or any other call of std::terminate,
//   ends the process at once with exit code 0 and nothing shown, as the
//   programs' other failures do, instead of the runtime's message box.
void start_process() noexcept;

}  // namespace win32
