// The form in which a chosen music file is kept: as chosen, as its short
// form, or refused.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "saver/settings_dialog/music_path.h"

namespace {

using settings_dialog::PathForms;
using settings_dialog::stored_music_path;

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
        EXPECT_EQ(stored_music_path(forms, c.chosen), c.kept);
        EXPECT_EQ(forms.short_form_calls > 0, c.short_form_asked);
    }
}

}  // namespace
