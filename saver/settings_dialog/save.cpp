#include "saver/settings_dialog/save.h"

#include <cstdint>
#include <optional>

#include "saver/settings_dialog/repeat_box.h"

namespace settings_dialog {

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
