// The settings dialog Ember_Lantern_P, captioned "<Ember_Lantern>": the one
// place where the user chooses the saver's background music (none, an audio
// CD with an optional repeated track, or an MP3 or WAV file), saves it to the
// settings file or cancels, and can open the maker's web page.
#pragma once

#include <windows.h>

#include <string>

#include "saver/shared/settings.h"

namespace settings_dialog {

// Loads the dialog (Form_Load), shows it modally with no owner and returns
// when it has closed. `settings` are the program-wide ones, which the dialog
// edits in place; a save writes them to the settings file in
// `program_folder`.
void show_settings_dialog(HINSTANCE instance, shared::Settings& settings, const std::string& program_folder);

}  // namespace settings_dialog
