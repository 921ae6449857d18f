// The renderer program: its window (full screen, then 1024 x 768 framed on
// every Tab release; full screen made anew when the display changes), pixel
// format and context, message loop paced to the display, and keys.
#pragma once

#include <windows.h>

#include "renderer/win32/frame_timing.h"

namespace renderer {

// The program: returns its exit code (1 after Esc or a close request, 0 when
// a set-up step failed). Set-up failures show nothing.
int run_renderer(HINSTANCE instance, int show_command, const BenchOptions& bench = {});

}  // namespace renderer
