// Settings mode (letter C): the hand-over to the settings dialog.
#pragma once

#include <windows.h>

#include <string>

#include "saver/shared/settings.h"

// Shows the settings dialog modally with no owner and returns when it has
// closed; the caller then ends the program. `settings` are the loaded ones,
// which the dialog edits and saves to the settings file in `program_folder`.
void show_settings_dialog(HINSTANCE instance, Settings& settings, const std::string& program_folder);
