#include "saver/shared/settings_file.h"

#include "saver/shared/decimal_scan.h"
#include "saver/shared/last_api_result.h"
#include "saver/shared/number_text.h"

namespace shared {

namespace ini {
const char kFileName[] = "\\Ember_Lantern.ini";
const char kSection[] = "Section";
const char kKeyKind[] = "BGM区分";
const char kKeyRepeatTrack[] = "BGMﾘﾋﾟｰﾄ";
const char kKeyFile[] = "BGMﾌｧｲﾙ";
}  // namespace ini

std::string GetIniValue(SettingsSystem& system,
                        const std::string& section,
                        const std::string& key,
                        const std::string& file) {
    std::string value = system.read_profile_string(section, key, file, kIniValueBufferSize);
    // The call cuts a longer value to buffer_size - 1 bytes without telling
    // apart a value of exactly that length: both count as cut.
    if (value.size() >= kIniValueBufferSize - 1)
        return std::string();
    return value;
}

std::int32_t PutIniValue(SettingsSystem& system,
                         const std::string& section,
                         const std::string& key,
                         const std::string& value,
                         const std::string& file) {
    LastApiResult =
        system.write_profile_string(section.substr(0, kIniNameField), key.substr(0, kIniNameField), value, file);
    return LastApiResult;
}

namespace {

// The path FileExists opens: less one trailing backslash character.
std::string path_to_open(SettingsSystem& system, const std::string& path) {
    std::string p = path;
    if (ends_in_backslash(p, system.lead_bytes()))
        p.pop_back();
    return p;
}

}  // namespace

bool FileExists(SettingsSystem& system, const std::string& path) {
    const std::string p = path_to_open(system, path);
    return !p.empty() && system.can_open_for_reading(p);
}

Settings LoadSettings(SettingsSystem& system, const std::string& ini_path, std::chrono::milliseconds music_file_limit) {
    Settings s;
    s.BGM_Kind = read_ini_number(GetIniValue(system, ini::kSection, ini::kKeyKind, ini_path));
    s.BGM_RepeatTrack = read_ini_number(GetIniValue(system, ini::kSection, ini::kKeyRepeatTrack, ini_path));
    const std::string file = GetIniValue(system, ini::kSection, ini::kKeyFile, ini_path);
    // The path is tested whatever the kind: a CD setting with a stale path
    // loses the path but stays a CD setting.
    const std::string to_open = path_to_open(system, file);
    if (!to_open.empty() && system.can_open_for_reading_within(to_open, music_file_limit).value_or(false)) {
        s.BGM_File = file;
    } else if (s.BGM_Kind == kMusicFile) {
        s.BGM_Kind = kMusicNone;
    }
    return s;
}

bool save_settings(SettingsSystem& system, const Settings& settings, const std::string& ini_path) {
    const bool kind_written =
        PutIniValue(system, ini::kSection, ini::kKeyKind, format_ini_number(settings.BGM_Kind), ini_path) != 0;
    const bool repeat_written = PutIniValue(system, ini::kSection, ini::kKeyRepeatTrack,
                                            format_ini_number(settings.BGM_RepeatTrack), ini_path) != 0;
    const bool file_written = PutIniValue(system, ini::kSection, ini::kKeyFile, settings.BGM_File, ini_path) != 0;
    return kind_written && repeat_written && file_written;
}

std::string settings_file_path(const std::string& program_folder) {
    return program_folder + ini::kFileName;
}

std::int16_t read_ini_number(const std::string& text) {
    const DecimalScan scan = scan_decimal(text);
    std::size_t i = scan.end;
    while (i < text.size() && is_number_blank(text[i]))
        ++i;
    if (scan.digits() == 0 || i != text.size())
        return 0;
    // Rounded down: a non-zero fraction takes a negative value one further
    // from zero. The ceiling keeps the magnitude well inside 64 bits.
    const std::int64_t magnitude = static_cast<std::int64_t>(scan.whole);
    const std::int64_t value = scan.negative ? -magnitude - (scan.fraction_nonzero ? 1 : 0) : magnitude;
    if (value < INT16_MIN || value > INT16_MAX)
        return 0;
    return static_cast<std::int16_t>(value);
}

std::string format_ini_number(std::int16_t value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

}  // namespace shared
