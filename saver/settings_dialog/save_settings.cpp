#include "saver/settings_dialog/save_settings.h"

#include "saver/settings_dialog/dialog_numbers.h"
#include "saver/shared/last_api_result.h"
#include "saver/shared/texts.h"

namespace settings_dialog {

bool save_settings(shared::SettingsSystem& system,
                   shared::Settings& settings,
                   const std::string& repeat_text,
                   const std::string& ini_path) {
    shared::PutIniValue(system, texts::kSection, texts::kKeyKind, shared::format_ini_number(settings.BGM_Kind),
                        ini_path);
    bool written = shared::LastApiResult != 0;
    settings.BGM_RepeatTrack = repeat_track_from_text(repeat_text, settings.BGM_RepeatTrack);
    shared::PutIniValue(system, texts::kSection, texts::kKeyRepeatTrack,
                        shared::format_ini_number(settings.BGM_RepeatTrack), ini_path);
    written = written && shared::LastApiResult != 0;
    shared::PutIniValue(system, texts::kSection, texts::kKeyFile, settings.BGM_File, ini_path);
    return written && shared::LastApiResult != 0;
}

}  // namespace settings_dialog
