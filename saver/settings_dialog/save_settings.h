// What the settings dialog's save button writes. Portable logic: the file is
// reached through SettingsSystem (settings_file.h).
#pragma once

#include <string>

#include "saver/shared/settings.h"
#include "saver/shared/settings_file.h"

namespace settings_dialog {

// Writes the three keys to "Section" of `ini_path` through PutIniValue, in
// this order, whatever the kind: "BGM区分" = BGM_Kind; then BGM_RepeatTrack is
// taken from the repeat box's text (repeat_track_from_text) and "BGMﾘﾋﾟｰﾄ"
// written; then "BGMﾌｧｲﾙ" = BGM_File as held, possibly empty. Numbers are in
// the settings file's form (a blank before a value of 0 or more). Returns
// whether all three writes succeeded; the settings in memory are kept either
// way.
bool save_settings(shared::SettingsSystem& system,
                   shared::Settings& settings,
                   const std::string& repeat_text,
                   const std::string& ini_path);

}  // namespace settings_dialog
