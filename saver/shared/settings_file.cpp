#include "saver/shared/settings_file.h"

#include "saver/shared/last_api_result.h"
#include "saver/shared/number_text.h"
#include "saver/shared/texts.h"

namespace shared {

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

void PutIniValue(SettingsSystem& system,
                 const std::string& section,
                 const std::string& key,
                 const std::string& value,
                 const std::string& file) {
    LastApiResult =
        system.write_profile_string(section.substr(0, kIniNameField), key.substr(0, kIniNameField), value, file);
}

bool FileExists(SettingsSystem& system, const std::string& path) {
    if (path.empty())
        return false;
    std::string p = path;
    if (ends_in_backslash(p, system.lead_bytes()))
        p.pop_back();
    return !p.empty() && system.can_open_for_reading(p);
}

Settings LoadSettings(SettingsSystem& system, const std::string& ini_path) {
    Settings s;
    s.BGM_Kind = read_ini_number(GetIniValue(system, texts::kSection, texts::kKeyKind, ini_path));
    s.BGM_RepeatTrack = read_ini_number(GetIniValue(system, texts::kSection, texts::kKeyRepeatTrack, ini_path));
    const std::string file = GetIniValue(system, texts::kSection, texts::kKeyFile, ini_path);
    // The path is tested whatever the kind: a CD setting with a stale path
    // loses the path but stays a CD setting.
    if (!file.empty() && FileExists(system, file)) {
        s.BGM_File = file;
    } else if (s.BGM_Kind == kMusicFile) {
        s.BGM_Kind = kMusicNone;
    }
    return s;
}

std::string settings_file_path(const std::string& program_folder) {
    return program_folder + texts::kSettingsFileName;
}

std::int16_t read_ini_number(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && is_number_blank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Whole part, saturated well beyond the 16-bit range so long digit runs
    // cannot overflow; any non-zero fraction digit matters only for rounding
    // a negative value down.
    std::int32_t whole = 0;
    bool digits = false;
    while (i < n && is_decimal_digit(text[i])) {
        digits = true;
        if (whole < 1000000)
            whole = whole * 10 + (text[i] - '0');
        ++i;
    }
    bool fraction = false;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && is_decimal_digit(text[i])) {
            digits = true;
            fraction = fraction || text[i] != '0';
            ++i;
        }
    }
    while (i < n && is_number_blank(text[i]))
        ++i;
    if (!digits || i != n)
        return 0;
    const std::int32_t value = negative ? -whole - (fraction ? 1 : 0) : whole;
    if (value < INT16_MIN || value > INT16_MAX)
        return 0;
    return static_cast<std::int16_t>(value);
}

std::string format_ini_number(std::int16_t value) {
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}

}  // namespace shared
