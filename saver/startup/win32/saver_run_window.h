// The hidden saver-run window: starts the music and the renderer, keeps the
// music going and ends the program when the renderer has gone.
#pragma once

#include <windows.h>

#include <string>

#include "saver/shared/settings.h"

namespace startup {

struct SaverRunStart {
    // True for a start with the letter S, which hid the cursor; false for an
    // empty command line, which leaves the cursor alone.
    bool saver_mode = false;
    // Folder of the running front end, without a trailing backslash.
    std::string program_folder;
};

// Creates the window (never shown) and runs its load handler. Returns false
// when the window could not be created; the caller then ends the program.
// `settings` must live as long as the program.
bool load_saver_run_window(HINSTANCE instance, const shared::Settings& settings, const SaverRunStart& start);

}  // namespace startup
