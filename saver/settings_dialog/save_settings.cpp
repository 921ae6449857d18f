#include "saver/settings_dialog/save_settings.h"

#include "saver/settings_dialog/dialog_numbers.h"
#include "saver/shared/texts.h"

namespace settings_dialog {

bool save_settings(shared::SettingsSystem& system,
                   shared::Settings& settings,
                   const std::string& repeat_text,
                   const std::string& ini_path) {
    const bool kind_written = shared::PutIniValue(system, texts::kSection, texts::kKeyKind,
                                                  shared::format_ini_number(settings.BGM_Kind), ini_path) != 0;
    settings.BGM_RepeatTrack = repeat_track_from_text(repeat_text, settings.BGM_RepeatTrack);
    const bool repeat_written = shared::PutIniValue(system, texts::kSection, texts::kKeyRepeatTrack,
                                                    shared::format_ini_number(settings.BGM_RepeatTrack), ini_path) != 0;
    const bool file_written =
        shared::PutIniValue(system, texts::kSection, texts::kKeyFile, settings.BGM_File, ini_path) != 0;
    return kind_written && repeat_written && file_written;
}

}  // namespace settings_dialog
