// Ember_Lantern.dll: the renderer, an ordinary GUI program under a library's
// file name, started by the saver with no arguments.
#include <windows.h>

#include "renderer/renderer_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    return renderer::run_renderer(instance, show_command);
}
