// What "設定" (Cmd_Set) does with the settings file, worked out without a
// window: the repeat box's text is read before anything is written, then the
// whole settings go to the file in one call (saver/shared/settings_file.h).
#pragma once

#include <string>

#include "saver/shared/settings.h"
#include "saver/shared/settings_file.h"

namespace settings_dialog {

enum class SaveResult {
    Saved,       // all three keys written: the dialog closes
    Refused,     // a repeat number no track can have: nothing written, the dialog says so and stays open
    NotWritten,  // a write failed: the dialog says so and stays open
};

// `settings` are the ones the dialog edits; a track read from `repeat_text`
// (repeat_box.h) goes into them before the writes, and stays there whether or
// not the writes succeed. A refused track changes nothing, in memory or on
// disk.
SaveResult save_choice(shared::SettingsSystem& system,
                       shared::Settings& settings,
                       const std::string& repeat_text,
                       const std::string& ini_path);

}  // namespace settings_dialog
