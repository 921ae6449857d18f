// The form in which the ANSI calls are given a path the system names in
// Unicode: a chosen music file and the program's own folder, as they are, as
// their short form, or refused.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "saver/shared/path_forms.h"

namespace {

using shared::openable_ansi_path;
using shared::PathForms;
using shared::program_folder_of;

// A code page that holds ASCII alone, and the short forms a volume gives.
class FakePathForms final : public PathForms {
public:
    std::map<std::wstring, std::wstring> short_forms;  // a path missing here: the call fails
    mutable int short_form_calls = 0;

    std::optional<std::string> exact_ansi(const std::wstring& path) const override {
        std::string ansi;
        for (const wchar_t c : path) {
            if (c >= 0x80)
                return std::nullopt;
            ansi += static_cast<char>(c);
        }
        return ansi;
    }
    std::optional<std::wstring> short_form(const std::wstring& path) const override {
        ++short_form_calls;
        const auto found = short_forms.find(path);
        return found == short_forms.end() ? std::nullopt : std::optional<std::wstring>(found->second);
    }
};

TEST(MusicFilePath, KeptAsChosenAsItsShortFormOrRefused) {
    const std::wstring plain = L"C:\\Music\\Long Tone.mp3", accented = L"C:\\Music\\Caf\u00e9.mp3";
    const std::wstring in_accented_folder = L"C:\\M\u00fasica\\tone.wav";
    const struct {
        const char* what;
        std::wstring chosen;
        std::map<std::wstring, std::wstring> short_forms;
        std::optional<std::string> kept;
        bool short_form_asked;
    } cases[] = {
        {"held exactly: as chosen, though a short form exists",
         plain,
         {{plain, L"C:\\Music\\LONGTO~1.MP3"}},
         "C:\\Music\\Long Tone.mp3",
         false},
        {"not held: its short form", accented, {{accented, L"C:\\Music\\CAF~1.MP3"}}, "C:\\Music\\CAF~1.MP3", true},
        {"a folder not held: the short form of the whole path",
         in_accented_folder,
         {{in_accented_folder, L"C:\\MSICA~1\\tone.wav"}},
         "C:\\MSICA~1\\tone.wav",
         true},
        {"no short names on the volume: the long path comes back",
         accented,
         {{accented, accented}},
         std::nullopt,
         true},
        {"a part without a short name keeps a character not held",
         in_accented_folder,
         {{in_accented_folder, L"C:\\M\u00fasica\\tone.wav"}},
         std::nullopt,
         true},
        {"a short name the code page cannot hold either",
         accented,
         {{accented, L"C:\\Music\\CAF\u00c9~1.MP3"}},
         std::nullopt,
         true},
        {"the short form cannot be had", accented, {}, std::nullopt, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePathForms forms;
        forms.short_forms = c.short_forms;
        EXPECT_EQ(openable_ansi_path(forms, c.chosen), c.kept);
        EXPECT_EQ(forms.short_form_calls > 0, c.short_form_asked);
    }
}

// The folder the renderer and the settings file are looked for in: from the
// wide call's path of the program, so a folder named outside the code page
// (an accented user name, a OneDrive folder in another language) is found by
// its short form, not by look-alikes that name no folder.
TEST(ProgramFolder, FromTheWidePathAsItIsByItsShortFormOrNone) {
    const std::wstring accented = L"C:\\Users\\Jos\u00e9\\Saver";
    const struct {
        const char* what;
        std::wstring module_path;
        std::map<std::wstring, std::wstring> short_forms;
        std::optional<std::string> folder;
    } cases[] = {
        {"held exactly", L"C:\\Saver Folder\\Ember_Lantern.scr", {}, "C:\\Saver Folder"},
        {"a user name not held: the folder's short form",
         accented + L"\\Ember_Lantern.scr",
         {{accented, L"C:\\Users\\JOS~1\\Saver"}},
         "C:\\Users\\JOS~1\\Saver"},
        {"the program's own name is not the folder's", L"C:\\Saver\\\u00e9.scr", {}, "C:\\Saver"},
        {"a volume without short names: no form at all",
         accented + L"\\Ember_Lantern.scr",
         {{accented, accented}},
         std::nullopt},
        {"in the root of a drive", L"D:\\Ember_Lantern.scr", {}, "D:"},
        {"no folder at all", L"Ember_Lantern.scr", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePathForms forms;
        forms.short_forms = c.short_forms;
        EXPECT_EQ(program_folder_of(forms, c.module_path), c.folder);
    }
}

}  // namespace
