// Ember_Lantern.dll: the renderer, an ordinary GUI program under a library's
// file name, started by the saver with no arguments.
#include <windows.h>

#include "common/win32/process_start.h"
#include "renderer/win32/run.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    win32::start_process();
    return renderer::run_renderer(instance, show_command);
}
