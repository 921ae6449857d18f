// The settings file under Wine: real files holding the real Shift-JIS keys,
// written by hand as a user might, read through the program's own calls.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "saver/shared/last_api_result.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/tests/file_bytes.h"
#include "saver/shared/win32/settings_file.h"

using namespace shared;

namespace {

const std::string kKindKey = "\x42\x47\x4D\x8B\xE6\x95\xAA";
const std::string kRepeatKey = "\x42\x47\x4D\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "\x42\x47\x4D\xCC\xA7\xB2\xD9";

void write_bytes(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ini_text(const char* kind, const char* repeat, const std::string* file) {
    std::string text = "[Section]\r\n";
    if (kind)
        text += kKindKey + "=" + kind + "\r\n";
    if (repeat)
        text += kRepeatKey + "=" + repeat + "\r\n";
    if (file)
        text += kFileKey + "=" + *file + "\r\n";
    return text;
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "el-settings-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        ini_ = settings_file_path(folder_);
        music_ = folder_ + "\\a.mp3";
        write_bytes(music_, "ID3");
    }
    void TearDown() override {
        // Everything below the test folder, deepest first.
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            if (!DeleteFileA(it->c_str()))
                RemoveDirectoryA(it->c_str());
        }
        SetFileAttributesA(folder_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(ini_.c_str());
        DeleteFileA(music_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // A file whose full path is exactly `length` bytes, under nested folders.
    std::string file_with_path_length(std::size_t length) {
        std::string path = folder_;
        while (path.size() + 1 + 60 + 1 + 8 < length) {
            path += "\\" + std::string(60, 'd');
            CreateDirectoryA(path.c_str(), nullptr);
            made_.push_back(path);
        }
        path += "\\";
        path += std::string(length - path.size() - 4, 'f') + ".mp3";
        write_bytes(path, "ID3");
        made_.push_back(path);
        return path;
    }

    Settings load() {
        Win32SettingsSystem system;
        return LoadSettings(system, ini_);
    }

    std::string folder_, ini_, music_;
    std::vector<std::string> made_;
};

TEST_F(SettingsFileTest, HandWrittenFiles) {
    const std::string folder_path = folder_ + "\\";
    const std::string missing = folder_ + "\\gone.mp3";
    const std::string empty;
    // Paths off the fixed disks, whose check has a thread of its own and a
    // bound: the music file by its \\?\ form, and a share on no server.
    const std::string long_form = "\\\\?\\" + music_;
    const std::string no_server = "\\\\el-no-such-server\\music\\a.mp3";
    struct Case {
        const char* name;
        bool write;
        const char* kind;
        const char* repeat;
        const std::string* file;
        std::int16_t want_kind, want_repeat;
        const std::string* want_file;
    };
    const Case cases[] = {
        {"no file", false, nullptr, nullptr, nullptr, 0, 0, &empty},
        {"music file", true, " 2", " 0", &music_, 2, 0, &music_},
        {"as Wine writes it", true, "2", "0", &music_, 2, 0, &music_},
        {"kind 2, path missing", true, " 2", " 0", &missing, 0, 0, &empty},
        {"kind 1, path missing", true, " 1", " 4", &missing, 1, 4, &empty},
        {"kind 2, empty path", true, " 2", " 0", &empty, 0, 0, &empty},
        {"abc", true, "abc", "abc", &music_, 0, 0, &music_},
        {"2.9", true, "2.9", "2.9", &music_, 2, 2, &music_},
        {"-1", true, "-1", "-1", &music_, -1, -1, &music_},
        {"99999", true, "99999", "99999", &music_, 0, 0, &music_},
        {"a folder path ending in a backslash", true, " 2", " 0", &folder_path, 0, 0, &empty},
        {"off the fixed disks, answered in time", true, " 2", " 0", &long_form, 2, 0, &long_form},
        {"a share on no server", true, " 2", " 0", &no_server, 0, 0, &empty},
    };
    for (const Case& c : cases) {
        DeleteFileA(ini_.c_str());
        if (c.write)
            write_bytes(ini_, ini_text(c.kind, c.repeat, c.file));
        const Settings s = load();
        EXPECT_EQ(s.BGM_Kind, c.want_kind) << c.name;
        EXPECT_EQ(s.BGM_RepeatTrack, c.want_repeat) << c.name;
        EXPECT_EQ(s.BGM_File, *c.want_file) << c.name;
    }
}

TEST_F(SettingsFileTest, PathsLongerThan255BytesAreReadWholeOrNotAtAll) {
    // Longer than the old 255-byte read, still within what the ANSI calls open.
    const std::string long_path = file_with_path_length(258);
    write_bytes(ini_, ini_text(" 2", " 0", &long_path));
    EXPECT_EQ(load().BGM_File, long_path);

    // The first 255 bytes name a file that exists: a cut read would play it.
    const std::string cut = file_with_path_length(255);
    const std::string stored = cut + std::string(45, 'x');
    write_bytes(ini_, ini_text(" 2", " 0", &stored));
    const Settings s = load();
    EXPECT_EQ(s.BGM_File, "");
    EXPECT_EQ(s.BGM_Kind, 0);
}

TEST_F(SettingsFileTest, WrittenValuesReadBackWithTheShiftJisKeys) {
    Win32SettingsSystem system;
    PutIniValue(system, "Section", kKindKey, format_ini_number(2), ini_);
    EXPECT_NE(LastApiResult, 0);
    PutIniValue(system, "Section", kRepeatKey, format_ini_number(-3), ini_);
    PutIniValue(system, "Section", kFileKey, "", ini_);
    const std::string bytes = read_bytes(ini_);
    EXPECT_NE(bytes.find("[Section]"), std::string::npos) << bytes;
    // Wine drops the blank that Windows keeps before the value.
    EXPECT_TRUE(bytes.find(kKindKey + "= 2") != std::string::npos || bytes.find(kKindKey + "=2") != std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find(kRepeatKey + "=-3"), std::string::npos) << bytes;
    // An empty path stays in the file as an empty value.
    EXPECT_NE(bytes.find(kFileKey + "=\r\n"), std::string::npos) << bytes;
    const Settings s = load();
    EXPECT_EQ(s.BGM_Kind, 0);  // kind 2 without a file falls back
    EXPECT_EQ(s.BGM_RepeatTrack, -3);

    PutIniValue(system, "Section", kKindKey, format_ini_number(2), ini_);
    PutIniValue(system, "Section", kFileKey, music_, ini_);
    EXPECT_EQ(load().BGM_Kind, 2);
    EXPECT_EQ(load().BGM_File, music_);
}

// The save gives the file the bytes the three single writes of the dialog
// always gave it, over no file, over a file of its own and over one written
// by hand with more in it.
TEST_F(SettingsFileTest, SaveGivesTheBytesOfTheThreeWritesInOrder) {
    const std::string by_hand =
        "; mine\r\n[Other]\r\na=1\r\n[Section]\r\n" + kFileKey + "=" + music_ + "\r\nmore=x\r\n";
    const std::string before_cases[] = {"", ini_text(" 1", " 4", nullptr), by_hand};
    const std::string earlier = folder_ + "\\earlier.ini";
    for (const std::string& before : before_cases) {
        for (const std::int16_t kind : {0, 1, 2, 7}) {
            SCOPED_TRACE(before + " / kind " + std::to_string(kind));
            Settings settings;
            settings.BGM_Kind = kind;
            settings.BGM_RepeatTrack = static_cast<std::int16_t>(kind == 1 ? 12 : -3);
            settings.BGM_File = kind == 1 ? "" : music_;
            DeleteFileA(ini_.c_str());
            DeleteFileA(earlier.c_str());
            if (!before.empty()) {
                write_bytes(ini_, before);
                write_bytes(earlier, before);
            }
            Win32SettingsSystem system;
            EXPECT_TRUE(save_settings(system, settings, ini_));
            PutIniValue(system, "Section", kKindKey, format_ini_number(settings.BGM_Kind), earlier);
            PutIniValue(system, "Section", kRepeatKey, format_ini_number(settings.BGM_RepeatTrack), earlier);
            PutIniValue(system, "Section", kFileKey, settings.BGM_File, earlier);
            EXPECT_EQ(read_bytes(ini_), read_bytes(earlier));
            const Settings loaded = load();
            EXPECT_EQ(loaded.BGM_Kind, kind);
            EXPECT_EQ(loaded.BGM_RepeatTrack, settings.BGM_RepeatTrack);
            EXPECT_EQ(loaded.BGM_File, settings.BGM_File);
        }
    }
    DeleteFileA(earlier.c_str());
}

// A folder the account may not write to, such as the system folder a saver
// is often installed in. Windows ignores the read-only attribute of folders,
// so the real case needs a folder without write permission: run-unprivileged
// makes one and names it in EL_LOCKED_FOLDER.
TEST_F(SettingsFileTest, ReadOnlyFolderKeepsTheFileAndFailsQuietly) {
    const char* given = std::getenv("EL_LOCKED_FOLDER");
    if (!given)
        GTEST_SKIP() << "needs a folder without write permission: run through scripts/run-unprivileged";
    const std::string locked = given;
    const std::string locked_ini = settings_file_path(locked);
    ASSERT_EQ(GetFileAttributesA(locked_ini.c_str()), INVALID_FILE_ATTRIBUTES) << "the folder must start empty";
    Win32SettingsSystem system;
    PutIniValue(system, "Section", kKindKey, " 1", locked_ini);
    EXPECT_EQ(LastApiResult, 0) << "a failed write was reported as written";
    EXPECT_EQ(GetFileAttributesA(locked_ini.c_str()), INVALID_FILE_ATTRIBUTES) << "the folder was written to";
    Settings s;
    EXPECT_NO_FATAL_FAILURE(s = LoadSettings(system, locked_ini));
    EXPECT_EQ(s.BGM_Kind, 0);
}

TEST_F(SettingsFileTest, ReadOnlySettingsFileIsLeftAsItWas) {
    write_bytes(ini_, ini_text(" 2", " 5", &music_));
    const std::string before = read_bytes(ini_);
    ASSERT_TRUE(SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_READONLY));
    Win32SettingsSystem system;
    PutIniValue(system, "Section", kKindKey, " 1", ini_);
    const std::int32_t result = LastApiResult;
    const std::string after = read_bytes(ini_);
    const Settings s = load();
    SetFileAttributesA(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (result != 0 && after != before && !std::getenv("EL_UNPRIVILEGED"))
        GTEST_SKIP() << "this account writes into read-only files (root): run through scripts/run-unprivileged";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(after, before);
    EXPECT_EQ(s.BGM_Kind, 2);
    EXPECT_EQ(s.BGM_RepeatTrack, 5);
}

TEST(FileExistsWin32, FoldersAndMissingFilesAreNotFiles) {
    Win32SettingsSystem system;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    std::string folder(temp);
    EXPECT_FALSE(FileExists(system, folder));  // ends in a backslash: the folder itself
    EXPECT_FALSE(FileExists(system, folder + "no-such-file-here.wav"));
    SetLastError(1234);
    FileExists(system, folder + "no-such-file-here.wav");
    EXPECT_EQ(GetLastError(), 1234u) << "an error was left pending";
}

}  // namespace
