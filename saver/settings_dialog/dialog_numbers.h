// The numbers of the settings dialog: the repeat box's text both ways, and
// the rounding the dialog uses. Portable logic: no Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace settings_dialog {

// To the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2).
double round_half_even(double value);

// A track number in the pattern "##": its digits without leading zeros, a
// minus sign before a negative one, and nothing at all for 0.
std::string format_track(std::int16_t track);

// The repeat box's drop-down list: 0 to 30 in that pattern, so one empty
// entry, then "1" to "30".
std::vector<std::string> repeat_entries();

// BGM_RepeatTrack after a save, from the repeat box's text. A number (blanks
// around it, an optional sign, digits with an optional decimal fraction)
// becomes that number rounded half to even; any other text gives 0. A number
// the setting cannot hold (outside -32768..32767) keeps `previous`, as a
// conversion that fails leaves the setting as it was.
std::int16_t repeat_track_from_text(const std::string& text, std::int16_t previous);

}  // namespace settings_dialog
