// The settings dialog's decisions that its window only carries out: where Tab
// moves the focus, which kind a press or an arrow key on the music panel
// chooses, the caption zoom's point, and the form in which a chosen music
// file is kept.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "saver/settings_dialog/dialog_logic.h"

namespace {

using settings_dialog::CursorPoint;
using settings_dialog::kind_after_step;
using settings_dialog::kind_at;
using settings_dialog::next_tab_stop;
using settings_dialog::PathForms;
using settings_dialog::stored_music_path;
using settings_dialog::zoom_origin_from_cursor;
using settings_dialog::ZoomPoint;

TEST(TabStepping, NextControlThatCanTakeTheFocus) {
    // The dialog's order: panel, repeat box, "...", "設定", "ｷｬﾝｾﾙ", "その他の作品".
    const std::vector<bool> all(6, true);
    const std::vector<bool> no_cd_no_file = {true, false, false, true, true, true};
    const std::vector<bool> only_repeat = {false, true, false, false, false, false};
    const std::vector<bool> none(6, false);
    const struct {
        const char* name;
        std::vector<bool> takes_focus;
        int current;
        bool backwards;
        std::optional<int> want;
    } cases[] = {
        {"forward from the panel", all, 0, false, 1},
        {"forward wraps round", all, 5, false, 0},
        {"backwards from the panel wraps round", all, 0, true, 5},
        {"backwards", all, 3, true, 2},
        {"no focus: forward starts at the first", all, -1, false, 0},
        {"no focus: backwards starts at the last", all, -1, true, 5},
        {"disabled controls are skipped forward", no_cd_no_file, 0, false, 3},
        {"disabled controls are skipped backwards", no_cd_no_file, 3, true, 0},
        {"the only control keeps the focus", only_repeat, 1, false, 1},
        {"the only control, from elsewhere", only_repeat, 4, true, 1},
        {"no focus, one control", only_repeat, -1, true, 1},
        {"nothing can take it", none, 2, false, std::nullopt},
        {"nothing at all", {}, -1, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(next_tab_stop(c.takes_focus, c.current, c.backwards), c.want) << c.name;
}

TEST(PanelHitTest, MarksAndNamesChooseTheirKind) {
    // Places in pixels: marks at x 20..32, names from x 36; the rows run CD
    // (y 56..68), none (y 76..88), file (y 96..108) from the top.
    const struct {
        int x, y, want;
    } cases[] = {
        {20, 76, 0},  {32, 88, 0},   {33, 76, -1}, {20, 89, -1}, {19, 76, -1}, {36, 76, 0},  {58, 88, 0},
        {59, 76, -1}, {20, 56, 1},   {59, 56, 1},  {78, 68, 1},  {79, 56, -1}, {20, 96, 2},  {95, 108, 2},
        {96, 96, -1}, {20, 109, -1}, {0, 0, -1},   {-1, 60, -1}, {34, 60, -1}, {20, 69, -1}, {20, 55, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kind_at(c.x, c.y, 96), c.want) << c.x << ", " << c.y;
}

TEST(KindStepping, ArrowKeysWalkTheRowsAsTheyStandOnThePanel) {
    // The rows from the top: 音楽CD (1), 無し (0), MP3、WAV (2).
    const struct {
        const char* name;
        int current;
        bool down;
        int want;
    } cases[] = {
        {"down from the CD", 1, true, 0},
        {"down from none", 0, true, 2},
        {"down from the file wraps to the top", 2, true, 1},
        {"up from the file", 2, false, 0},
        {"up from none", 0, false, 1},
        {"up from the CD wraps to the bottom", 1, false, 2},
        {"no mark chosen, down: the top row", 5, true, 1},
        {"no mark chosen, up: the bottom row", 5, false, 2},
        {"a negative kind, down", -1, true, 1},
        {"a negative kind, up", -32768, false, 2},
        {"just past the kinds, down", 3, true, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kind_after_step(c.current, c.down), c.want) << c.name;
}

TEST(ZoomOrigin, CursorPositionInSixteenBits) {
    const ZoomPoint earlier{12, -34};
    const struct {
        std::optional<CursorPoint> cursor;
        std::int16_t x, y;
    } cases[] = {
        {std::nullopt, 0, 0},
        {CursorPoint{100, 200}, 100, 200},
        {CursorPoint{-5, -6}, -5, -6},
        {CursorPoint{32767, -32768}, 32767, -32768},
        {CursorPoint{32768, 7}, 12, 7},
        {CursorPoint{7, -32769}, 7, -34},
        {CursorPoint{70000, -70000}, 12, -34},
    };
    for (const auto& c : cases) {
        const ZoomPoint got = zoom_origin_from_cursor(earlier, c.cursor);
        EXPECT_EQ(got.x, c.x);
        EXPECT_EQ(got.y, c.y);
    }
}

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
