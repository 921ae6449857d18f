// The repeat box (BGM_Repeat), the audio CD's track to play over and over:
// the text it shows for a track, its drop-down list, and the track a save
// takes from what it holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

}  // namespace settings_dialog
