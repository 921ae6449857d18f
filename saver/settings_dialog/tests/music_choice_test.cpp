// The music choice's tables: the repeat box's text both ways (the track it
// shows and lists, and the track a save takes from what it holds), and what
// "設定" writes for the kind, the repeat box's text and the file held, and
// what it tells the dialog.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "saver/settings_dialog/music_choice.h"
#include "saver/shared/tests/fake_settings_system.h"

namespace {

TEST(RepeatBox, TextBecomesTheTrackToSaveOrIsRefused) {
    const struct {
        const char* text;
        std::optional<std::int16_t> saved;  // nullopt: refused
    } cases[] = {
        {"", 0},
        {"7", 7},
        {" 7 ", 7},
        {"\t12", 12},
        {"abc", 0},
        {"7a", 0},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"0.5", 0},
        {"2.51", 3},
        {"+3", 3},
        {"-4", -4},
        {".5", 0},
        {"5.", 5},
        {"1.2.3", 0},
        {"+", 0},
        {"- 3", 0},
        {"32767", 32767},
        {"-32768", -32768},
        {"32767.5", std::nullopt},
        {"99999", std::nullopt},
        {"-99999", std::nullopt},
        {"1e3", 0},
        {"00000000000000000000000000000000000000000000000000030", 30},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings_dialog::repeat_track_from_text(c.text), c.saved) << '"' << c.text << '"';
}

TEST(RepeatBox, TrackPatternAndTheListOfThirtyOneEntries) {
    EXPECT_EQ(settings_dialog::format_track(0), "");
    EXPECT_EQ(settings_dialog::format_track(7), "7");
    EXPECT_EQ(settings_dialog::format_track(30), "30");
    EXPECT_EQ(settings_dialog::format_track(-3), "-3");
    const std::vector<std::string> entries = settings_dialog::repeat_entries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries.front(), "");
    EXPECT_EQ(entries[1], "1");
    EXPECT_EQ(entries.back(), "30");
}

using settings_dialog::save_choice;
using settings_dialog::SaveResult;
using Write = std::tuple<std::string, std::string, std::string, std::string>;

const std::string kIni = "C:\\Saver\\Ember_Lantern.ini";
const std::string kKindKey = "\x42\x47\x4D\x8B\xE6\x95\xAA";
const std::string kRepeatKey = "\x42\x47\x4D\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "\x42\x47\x4D\xCC\xA7\xB2\xD9";

TEST(Save, TheTable) {
    const struct {
        const char* what;
        std::int16_t kind;
        const char* repeat_text;
        const char* path;
        std::int32_t write_result;  // what every write gives
        SaveResult result;
        // The values written, in key order; none at all when empty.
        std::vector<const char*> written;
        std::int16_t track_after;  // BGM_RepeatTrack in memory afterwards; 6 before
    } cases[] = {
        {"no music: the box and the old path go in all the same",
         0,
         " 7 ",
         "C:\\m\\a.mp3",
         1,
         SaveResult::Saved,
         {" 0", " 7", "C:\\m\\a.mp3"},
         7},
        {"the CD, an empty box", 1, "", "", 1, SaveResult::Saved, {" 1", " 0", ""}, 0},
        {"a file, a half rounded to even",
         2,
         "3.5",
         "C:\\m\\a.wav",
         1,
         SaveResult::Saved,
         {" 2", " 4", "C:\\m\\a.wav"},
         4},
        {"letters give 0", 1, "letters", "", 1, SaveResult::Saved, {" 1", " 0", ""}, 0},
        {"a hand-edited kind goes back unchanged", 5, "-2", "", 1, SaveResult::Saved, {" 5", "-2", ""}, -2},
        {"a number no track can have writes nothing", 1, "99999", "", 1, SaveResult::Refused, {}, 6},
        {"nor does one just beyond the range", 2, "-32768.6", "C:\\m\\a.mp3", 1, SaveResult::Refused, {}, 6},
        {"a failed write is reported; every key was tried",
         2,
         "4",
         "C:\\m\\a.mp3",
         0,
         SaveResult::NotWritten,
         {" 2", " 4", "C:\\m\\a.mp3"},
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSettingsSystem fake;
        fake.write_result = c.write_result;
        shared::Settings settings;
        settings.BGM_Kind = c.kind;
        settings.BGM_RepeatTrack = 6;
        settings.BGM_File = c.path;
        EXPECT_EQ(save_choice(fake, settings, c.repeat_text, kIni), c.result);
        std::vector<Write> wanted;
        const std::string keys[] = {kKindKey, kRepeatKey, kFileKey};
        for (std::size_t i = 0; i < c.written.size(); ++i)
            wanted.emplace_back("Section", keys[i], c.written[i], kIni);
        EXPECT_EQ(fake.writes, wanted);
        // The kind and the file are the dialog's; the save leaves them as they were.
        EXPECT_EQ(settings.BGM_Kind, c.kind);
        EXPECT_EQ(settings.BGM_RepeatTrack, c.track_after);
        EXPECT_EQ(settings.BGM_File, c.path);
    }
}

}  // namespace
