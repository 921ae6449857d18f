#include "saver/settings_dialog/music_choice.h"

#include <cstdlib>

#include "saver/shared/decimal_scan.h"
#include "saver/shared/number_text.h"

namespace settings_dialog {

std::string format_track(std::int16_t track) {
    return track == 0 ? std::string() : std::to_string(track);
}

std::vector<std::string> repeat_entries() {
    std::vector<std::string> entries;
    for (std::int16_t track = 0; track <= 30; ++track)
        entries.push_back(format_track(track));
    return entries;
}

std::optional<std::int16_t> repeat_track_from_text(const std::string& text) {
    const shared::DecimalScan scan = shared::scan_decimal(text);
    for (std::size_t i = scan.end; i < text.size(); ++i) {
        if (!shared::is_number_blank(text[i]))
            return 0;
    }
    if (scan.digits() == 0)
        return 0;
    // Only sign, digits and one point remain: strtod reads exactly that, and a
    // long run of digits only grows beyond the range, never wraps.
    const double value =
        shared::round_half_even(std::strtod(text.substr(scan.begin, scan.end - scan.begin).c_str(), nullptr));
    if (value < -32768.0 || value > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

SaveResult save_choice(shared::SettingsSystem& system,
                       shared::Settings& settings,
                       const std::string& repeat_text,
                       const std::string& ini_path) {
    const std::optional<std::int16_t> track = repeat_track_from_text(repeat_text);
    if (!track)
        return SaveResult::Refused;
    settings.BGM_RepeatTrack = *track;
    return shared::save_settings(system, settings, ini_path) ? SaveResult::Saved : SaveResult::NotWritten;
}

}  // namespace settings_dialog
