// The settings file's rules, over a fake of the system calls that records
// exactly what is passed to them: its numbers both ways, the load, the file
// test, the single writes and the save. (Real files under Wine:
// settings_file_win32_test.cpp.)
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "saver/shared/last_api_result.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/tests/fake_settings_system.h"

using namespace shared;

namespace {

// The key bytes as the settings file holds them (Shift-JIS).
const std::string kKindKey = "\x42\x47\x4D\x8B\xE6\x95\xAA";
const std::string kRepeatKey = "\x42\x47\x4D\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "\x42\x47\x4D\xCC\xA7\xB2\xD9";
const std::string kIni = "C:\\Saver\\Ember_Lantern.ini";

// ---------------------------------------------------------------- numbers

TEST(IniNumbers, ReadRoundsDownAndRejectsWhatIsNoNumber) {
    const std::vector<std::pair<std::string, std::int16_t>> cases = {
        {"", 0},          {" 2", 2},          {"2", 2},      {"2 ", 2},
        {"\t1", 1},       {"2.9", 2},         {"-0.5", -1},  {"-1", -1},
        {"-1.0", -1},     {"-2.1", -3},       {"+7", 7},     {".5", 0},
        {"-.5", -1},      {"007", 7},         {"abc", 0},    {"2abc", 0},
        {"1 2", 0},       {"-", 0},           {".", 0},      {"1e3", 0},
        {"32767", 32767}, {"32767.9", 32767}, {"32768", 0},  {"-32768", -32768},
        {"-32768.5", 0},  {"99999", 0},       {"-99999", 0}, {"123456789012345678901234567890", 0},
    };
    for (const auto& [text, want] : cases)
        EXPECT_EQ(read_ini_number(text), want) << '"' << text << '"';
}

TEST(IniNumbers, WriteFormAndRoundTrip) {
    EXPECT_EQ(format_ini_number(2), " 2");
    EXPECT_EQ(format_ini_number(0), " 0");
    EXPECT_EQ(format_ini_number(-3), "-3");
    EXPECT_EQ(format_ini_number(32767), " 32767");
    EXPECT_EQ(format_ini_number(-32768), "-32768");
    for (int v = -32768; v <= 32767; v += 97)
        EXPECT_EQ(read_ini_number(format_ini_number(static_cast<std::int16_t>(v))), v);
}

// ---------------------------------------------------------------- settings file

TEST(SettingsFile, NamesAreTheShiftJisBytes) {
    EXPECT_EQ(std::string(ini::kSection), "Section");
    EXPECT_EQ(std::string(ini::kKeyKind), kKindKey);
    EXPECT_EQ(std::string(ini::kKeyRepeatTrack), kRepeatKey);
    EXPECT_EQ(std::string(ini::kKeyFile), kFileKey);
    EXPECT_EQ(settings_file_path("C:\\Saver"), kIni);
}

TEST(SettingsFile, LoadTable) {
    struct Case {
        const char* name;
        const char* kind;  // nullptr = key missing
        const char* repeat;
        const char* file;
        bool file_readable;
        std::int16_t want_kind, want_repeat;
        const char* want_file;
        bool answers = true;  // false: a share out of reach, whose check never answers
    };
    const Case cases[] = {
        {"no file", nullptr, nullptr, nullptr, false, 0, 0, ""},
        {"music file", " 2", " 0", "C:\\m\\a.mp3", true, 2, 0, "C:\\m\\a.mp3"},
        {"music file gone", " 2", " 0", "C:\\m\\a.mp3", false, 0, 0, ""},
        {"kind 2 without a path", " 2", " 0", "", false, 0, 0, ""},
        {"CD keeps its kind, loses a stale path", " 1", " 3", "C:\\m\\a.mp3", false, 1, 3, ""},
        {"CD with a live path keeps both", " 1", " 0", "C:\\m\\a.wav", true, 1, 0, "C:\\m\\a.wav"},
        {"kind abc", "abc", "x", "", false, 0, 0, ""},
        {"kind 2.9 reads as 2", "2.9", "1.5", "C:\\m\\a.mp3", true, 2, 1, "C:\\m\\a.mp3"},
        {"kind -1 stays", "-1", "-1", "", false, -1, -1, ""},
        {"kind 99999 is out of range", "99999", "-40000", "", false, 0, 0, ""},
        {"unknown kind stays", " 7", " 99", "C:\\m\\a.mp3", true, 7, 99, "C:\\m\\a.mp3"},
        {"a file on a share out of reach counts as gone", " 2", " 0", "\\\\nas\\m\\a.mp3", true, 0, 0, "", false},
        {"a CD keeps its kind past an unanswered path", " 1", " 4", "\\\\nas\\m\\a.wav", true, 1, 4, "", false},
    };
    for (const Case& c : cases) {
        FakeSettingsSystem fake;
        if (c.kind)
            fake.values[{"Section", kKindKey, kIni}] = c.kind;
        if (c.repeat)
            fake.values[{"Section", kRepeatKey, kIni}] = c.repeat;
        if (c.file)
            fake.values[{"Section", kFileKey, kIni}] = c.file;
        if (c.file_readable)
            fake.readable.insert(c.file);
        if (!c.answers)
            fake.unanswering.insert(c.file);
        const Settings s = LoadSettings(fake, kIni);
        EXPECT_EQ(s.BGM_Kind, c.want_kind) << c.name;
        EXPECT_EQ(s.BGM_RepeatTrack, c.want_repeat) << c.name;
        EXPECT_EQ(s.BGM_File, c.want_file) << c.name;
        // The music file's check is the only bounded one, by about two
        // seconds; nothing is written back, whatever it found.
        const std::size_t checks = c.file && *c.file ? 1 : 0;
        EXPECT_EQ(fake.limits, std::vector<std::chrono::milliseconds>(checks, kMusicFileAnswerLimit)) << c.name;
        EXPECT_TRUE(fake.writes.empty()) << c.name;
    }
}

TEST(SettingsFile, AValueThatFillsTheBufferIsNeverActedOn) {
    // The first 1023 bytes name a file that exists; the stored path is longer.
    const std::string prefix = "C:\\" + std::string(kIniValueBufferSize - 1 - 3, 'd');
    for (const std::string& stored : {prefix, prefix + "\\more.mp3"}) {
        FakeSettingsSystem fake;
        fake.values[{"Section", kKindKey, kIni}] = " 2";
        fake.values[{"Section", kFileKey, kIni}] = stored;
        fake.readable.insert(prefix);
        const Settings s = LoadSettings(fake, kIni);
        EXPECT_EQ(s.BGM_File, "");
        EXPECT_EQ(s.BGM_Kind, 0);
        EXPECT_TRUE(fake.opened.empty()) << "a cut path was tested";
    }
    // One byte shorter fits and is used whole.
    FakeSettingsSystem fake;
    const std::string fits = prefix.substr(0, prefix.size() - 1);
    fake.values[{"Section", kKindKey, kIni}] = " 2";
    fake.values[{"Section", kFileKey, kIni}] = fits;
    fake.readable.insert(fits);
    EXPECT_EQ(LoadSettings(fake, kIni).BGM_File, fits);
}

TEST(SettingsFile, FileExistsDropsOneTrailingBackslashCharacter) {
    // "C:\音楽\ソ" (ソ is 83 5C) is a file, not a folder with a backslash.
    const std::string so = "C:\\\x89\xB9\x8A\x79\\\x83\x5C";
    const struct {
        const char* what;
        std::string path;
        bool exists;
        std::vector<std::string> opened;
    } cases[] = {
        {"a file", "C:\\m\\a.wav", true, {"C:\\m\\a.wav"}},
        {"one backslash after it", "C:\\m\\a.wav\\", true, {"C:\\m\\a.wav"}},
        {"two backslashes after it", "C:\\m\\a.wav\\\\", false, {"C:\\m\\a.wav\\"}},
        {"a file named ソ", so, true, {so}},
        {"ソ and a backslash", so + "\\", true, {so}},
        {"empty", "", false, {}},
        {"a lone backslash", "\\", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSettingsSystem fake;
        fake.readable = {"C:\\m\\a.wav", so};
        EXPECT_EQ(FileExists(fake, c.path), c.exists);
        EXPECT_EQ(fake.opened, c.opened);
    }
}

TEST(SettingsFile, PutIniValuePassesExactlyWhatItIsGiven) {
    FakeSettingsSystem fake;
    PutIniValue(fake, "Section", kKindKey, format_ini_number(2), kIni);
    PutIniValue(fake, "Section", kRepeatKey, format_ini_number(0), kIni);
    PutIniValue(fake, "Section", kRepeatKey, format_ini_number(-3), kIni);
    PutIniValue(fake, "Section", kFileKey, "", kIni);
    using W = std::tuple<std::string, std::string, std::string, std::string>;
    EXPECT_EQ(fake.writes, (std::vector<W>{{"Section", kKindKey, " 2", kIni},
                                           {"Section", kRepeatKey, " 0", kIni},
                                           {"Section", kRepeatKey, "-3", kIni},
                                           {"Section", kFileKey, "", kIni}}));
    EXPECT_EQ(LastApiResult, 1);
    fake.write_result = 0;
    EXPECT_EQ(PutIniValue(fake, "Section", kKindKey, " 1", kIni), 0);
    EXPECT_EQ(LastApiResult, 0);
}

TEST(SettingsFile, PutIniValueCutsLongNamesTo128Bytes) {
    FakeSettingsSystem fake;
    PutIniValue(fake, std::string(200, 's'), std::string(129, 'k'), "v", kIni);
    ASSERT_EQ(fake.writes.size(), 1u);
    EXPECT_EQ(std::get<0>(fake.writes[0]), std::string(128, 's'));
    EXPECT_EQ(std::get<1>(fake.writes[0]), std::string(128, 'k'));
}

// ---------------------------------------------------------------- the save

TEST(SettingsFile, SaveWritesTheThreeKeysInOrderWhateverTheKind) {
    using W = std::tuple<std::string, std::string, std::string, std::string>;
    const struct {
        std::int16_t kind, track;
        const char* path;
        const char* kind_written;
        const char* track_written;
    } cases[] = {
        {0, 7, "C:\\m\\a.mp3", " 0", " 7"},  // no music: the track and the old path go in all the same
        {1, 0, "", " 1", " 0"},              // an empty path stays an empty value
        {2, 4, "C:\\m\\a.wav", " 2", " 4"},
        {5, -2, "", " 5", "-2"},  // a hand-edited kind goes back unchanged
        {-1, -32768, "", "-1", "-32768"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        FakeSettingsSystem fake;
        Settings settings;
        settings.BGM_Kind = c.kind;
        settings.BGM_RepeatTrack = c.track;
        settings.BGM_File = c.path;
        EXPECT_TRUE(save_settings(fake, settings, kIni));
        EXPECT_EQ(fake.writes, (std::vector<W>{{"Section", kKindKey, c.kind_written, kIni},
                                               {"Section", kRepeatKey, c.track_written, kIni},
                                               {"Section", kFileKey, c.path, kIni}}));
    }
}

TEST(SettingsFile, SaveReportsAFailedWriteAndStillTriesTheOthers) {
    FakeSettingsSystem fake;
    fake.write_result = 0;
    Settings settings;
    settings.BGM_Kind = 2;
    settings.BGM_File = "C:\\m\\a.mp3";
    EXPECT_FALSE(save_settings(fake, settings, kIni));
    EXPECT_EQ(fake.writes.size(), 3u);
    EXPECT_EQ(LastApiResult, 0);
}

}  // namespace
