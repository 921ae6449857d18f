// The music choice as the settings dialog keeps it, worked out without a
// window: the repeat box (BGM_Repeat), the audio CD's track to play over and
// over, with the text it shows for a track, its drop-down list and the track
// a save takes from what it holds; and what "設定" (Cmd_Set) does with the
// settings file: the repeat box's text is read before anything is written,
// then the whole settings go to the file in one call
// (saver/shared/settings_file.h). The forms a chosen path is kept in are
// saver/shared/path_forms.h; the kind a press chooses, layout.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/shared/settings.h"
#include "saver/shared/settings_file.h"

namespace settings_dialog {

// A track number in the pattern "##": its digits without leading zeros, a
// minus sign before a negative one, and nothing at all for 0.
std::string format_track(std::int16_t track);

// The drop-down list: 0 to 30 in that pattern, so one empty entry, then "1"
// to "30".
std::vector<std::string> repeat_entries();

// BGM_RepeatTrack as a save takes it from the box's text. A number (blanks
// around it, an optional sign, digits with an optional decimal fraction)
// becomes that number rounded half to even; any other text gives 0. nullopt
// for a number no track can have, outside -32768..32767, which the setting
// cannot hold: the save is refused.
std::optional<std::int16_t> repeat_track_from_text(const std::string& text);

enum class SaveResult {
    Saved,       // all three keys written: the dialog closes
    Refused,     // a repeat number no track can have: nothing written, the dialog says so and stays open
    NotWritten,  // a write failed: the dialog says so and stays open
};

// `settings` are the ones the dialog edits; a track read from `repeat_text`
// goes into them before the writes, and stays there whether or not the
// writes succeed. A refused track changes nothing, in memory or on disk.
SaveResult save_choice(shared::SettingsSystem& system,
                       shared::Settings& settings,
                       const std::string& repeat_text,
                       const std::string& ini_path);

}  // namespace settings_dialog
