// The renderer program: its windows one after another (full screen, then
// 1024 x 768 framed on every Tab release; full screen made anew when the
// display changes), each drawn by one message loop paced to the display.
#pragma once

#include <windows.h>

namespace renderer {

// The program: returns its exit code (1 after Esc or a close request, 0 when
// a set-up step failed). Set-up failures show nothing.
int run_renderer(HINSTANCE instance, int show_command);

}  // namespace renderer
