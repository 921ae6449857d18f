// The settings file "\Ember_Lantern.ini" beside the saver, read and written
// here alone: one section, three keys (their names are below, apart from the
// texts the user sees), only through the private-profile calls, which sit
// behind SettingsSystem so the rules here are tested exactly.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "saver/shared/ansi_path.h"
#include "saver/shared/settings.h"

namespace shared {

// The names as the file holds them: Shift-JIS bytes (settings_file.cpp is
// compiled with the execution character set CP932, as texts.cpp is).
namespace ini {
extern const char kFileName[];        // "\Ember_Lantern.ini", joined to the program folder
extern const char kSection[];         // "Section"
extern const char kKeyKind[];         // "BGM区分": BGM_Kind
extern const char kKeyRepeatTrack[];  // "BGMﾘﾋﾟｰﾄ": BGM_RepeatTrack
extern const char kKeyFile[];         // "BGMﾌｧｲﾙ": BGM_File
}  // namespace ini

// The system calls the settings file needs.
class SettingsSystem {
public:
    virtual ~SettingsSystem() = default;
    // GetPrivateProfileStringA with an empty default into a buffer of
    // `buffer_size` characters: what the call left in the buffer, at most
    // buffer_size - 1 bytes.
    virtual std::string read_profile_string(const std::string& section,
                                            const std::string& key,
                                            const std::string& file,
                                            std::size_t buffer_size) = 0;
    // WritePrivateProfileStringA; returns the call's result (non-zero = written).
    virtual std::int32_t write_profile_string(const std::string& section,
                                              const std::string& key,
                                              const std::string& value,
                                              const std::string& file) = 0;
    // Whether the path can be opened for reading; leaves no error pending.
    virtual bool can_open_for_reading(const std::string& path) = 0;
    // The same, waiting at most `limit` for the answer (timed_answer.h);
    // nullopt when none came in time.
    virtual std::optional<bool> can_open_for_reading_within(const std::string& path,
                                                            std::chrono::milliseconds limit) = 0;
    // The lead bytes of the system's ANSI code page, in which paths are held.
    virtual LeadBytes lead_bytes() = 0;
};

// Characters of the buffer a value is read into. Any path the ANSI file calls
// accept (MAX_PATH, 260, with its NUL) fits with room to spare; a value that
// fills the whole buffer may have been cut and counts as absent.
constexpr std::size_t kIniValueBufferSize = 1024;

// Section and key names are cut to this many bytes before they are written.
constexpr std::size_t kIniNameField = 128;

// The value of `key`, or "" when the file, section or key is missing or the
// value filled the read buffer (a cut value is never acted on).
std::string GetIniValue(SettingsSystem& system,
                        const std::string& section,
                        const std::string& key,
                        const std::string& file);

// Writes the value as given (an empty value stays an empty value; the key is
// never deleted). Returns the call's result (non-zero = written), which also
// goes to LastApiResult.
std::int32_t PutIniValue(SettingsSystem& system,
                         const std::string& section,
                         const std::string& key,
                         const std::string& value,
                         const std::string& file);

// True when the path, less one trailing backslash character, can be opened
// for reading.
bool FileExists(SettingsSystem& system, const std::string& path);

// The longest wait for the music file's answer at start-up. A file on a
// share out of reach would otherwise hold back the picture (or the dialog)
// for the minute the system's network client waits for the server.
constexpr std::chrono::milliseconds kMusicFileAnswerLimit{2000};

// Reads the three settings from the file at `ini_path`; a missing file gives
// kind 0, track 0 and no path, and a music file that no longer exists is
// dropped (kind 2 then falls back to 0). So is one that has not answered
// within `music_file_limit`: for this run only, as nothing is written here.
Settings LoadSettings(SettingsSystem& system,
                      const std::string& ini_path,
                      std::chrono::milliseconds music_file_limit = kMusicFileAnswerLimit);

// LoadSettings' counterpart, the settings dialog's save: the three keys of
// "Section" written through PutIniValue one after another, in this order,
// whatever the kind: "BGM区分" = BGM_Kind, "BGMﾘﾋﾟｰﾄ" = BGM_RepeatTrack (both
// in format_ini_number's form), "BGMﾌｧｲﾙ" = BGM_File as held, possibly empty.
// True when all three were written; a failed write does not stop the ones
// after it. Nothing is checked: a kind outside 0..2 goes back as it is.
bool save_settings(SettingsSystem& system, const Settings& settings, const std::string& ini_path);

// The settings file beside the saver: folder (no trailing backslash) joined
// with "\Ember_Lantern.ini".
std::string settings_file_path(const std::string& program_folder);

// A whole number as the file holds it: rounded down, so "2.9" gives 2 and
// "-0.5" gives -1; blanks around it are ignored. Empty text, a text that is
// not a number, or a value outside -32768..32767 gives 0.
std::int16_t read_ini_number(const std::string& text);

// A whole number as it is written: a blank before a value of 0 or more, a
// minus sign before a negative one (" 2", " 0", "-3").
std::string format_ini_number(std::int16_t value);

}  // namespace shared
