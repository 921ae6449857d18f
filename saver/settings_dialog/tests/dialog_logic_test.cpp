// The settings dialog's numbers, gradients and save, without a window.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "saver/settings_dialog/dialog_logic.h"
#include "saver/shared/tests/fake_settings_system.h"

using namespace shared;

namespace {

using settings_dialog::GradientSurface;
using settings_dialog::Rgb;

TEST(RepeatBox, TextBecomesTheTrackToSave) {
    const struct {
        const char* text;
        std::int16_t previous;
        std::int16_t saved;
    } cases[] = {
        {"", 5, 0},
        {"7", 0, 7},
        {" 7 ", 0, 7},
        {"\t12", 0, 12},
        {"abc", 5, 0},
        {"7a", 5, 0},
        {"2.5", 0, 2},
        {"3.5", 0, 4},
        {"-2.5", 0, -2},
        {"0.5", 9, 0},
        {"2.51", 0, 3},
        {"+3", 0, 3},
        {"-4", 0, -4},
        {".5", 9, 0},
        {"5.", 0, 5},
        {"1.2.3", 5, 0},
        {"+", 5, 0},
        {"- 3", 5, 0},
        {"32767", 0, 32767},
        {"-32768", 0, -32768},
        {"32767.5", 4, 4},
        {"99999", 4, 4},
        {"-99999", 4, 4},
        {"1e3", 5, 0},
        {"00000000000000000000000000000000000000000000000000030", 0, 30},
    };
    for (const auto& c : cases)
        EXPECT_EQ(settings_dialog::repeat_track_from_text(c.text, c.previous), c.saved) << '"' << c.text << '"';
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

TEST(Gradients, EdgesDarkMiddleBrightAndSymmetric) {
    // The window's client area is 252 pixels high, the panel's 169.
    const struct {
        GradientSurface surface;
        double height;
        Rgb edge, middle;
    } cases[] = {
        {GradientSurface::Window, 252, {0, 0, 30}, {220, 220, 250}},
        {GradientSurface::Panel, 169, {30, 30, 30}, {250, 250, 250}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        const std::vector<Rgb> rows = settings_dialog::gradient_rows(c.height, c.surface);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.height) + 1);  // rows 0..n
        EXPECT_EQ(rows.front(), c.edge);
        EXPECT_EQ(rows[rows.size() / 2], c.middle);
        // 3.142 is a little more than pi: the last row is not quite back at the edge colour.
        EXPECT_LE(rows.back().green - c.edge.green, 1);
        for (std::size_t y = 0; y < rows.size(); ++y) {
            const Rgb& a = rows[y];
            const Rgb& b = rows[rows.size() - 1 - y];
            EXPECT_LE(std::abs(a.green - b.green), 1) << "row " << y;
            EXPECT_LE(a.blue, 250);
        }
    }
    EXPECT_TRUE(settings_dialog::gradient_rows(0, GradientSurface::Window).empty());
    EXPECT_EQ(settings_dialog::gradient_rows(2.5, GradientSurface::Panel).size(), 3u);  // n = 2
}

TEST(Save, ThreeKeysInOrderWhateverTheKind) {
    using W = std::tuple<std::string, std::string, std::string, std::string>;
    const std::string ini = "C:\\Saver\\Ember_Lantern.ini";
    const std::string kind = "\x42\x47\x4D\x8B\xE6\x95\xAA";
    const std::string repeat = "\x42\x47\x4D\xD8\xCB\xDF\xB0\xC4";
    const std::string file = "\x42\x47\x4D\xCC\xA7\xB2\xD9";
    const struct {
        std::int16_t kind;
        const char* repeat_text;
        const char* path;
        const char* kind_written;
        const char* repeat_written;
    } cases[] = {
        {0, " 7 ", "C:\\m\\a.mp3", " 0", " 7"},  // no music: the box and the old path are written all the same
        {1, "", "", " 1", " 0"},
        {2, "3.5", "C:\\m\\a.wav", " 2", " 4"},
        {5, "-2", "", " 5", "-2"},  // a hand-edited kind goes back unchanged
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        FakeSettingsSystem fake;
        Settings settings;
        settings.BGM_Kind = c.kind;
        settings.BGM_File = c.path;
        EXPECT_TRUE(settings_dialog::save_settings(fake, settings, c.repeat_text, ini));
        EXPECT_EQ(fake.writes, (std::vector<W>{{"Section", kind, c.kind_written, ini},
                                               {"Section", repeat, c.repeat_written, ini},
                                               {"Section", file, c.path, ini}}));
    }
}

TEST(Save, AFailedWriteIsReportedAndTheSettingsStay) {
    FakeSettingsSystem fake;
    fake.write_result = 0;
    Settings settings;
    settings.BGM_Kind = 2;
    settings.BGM_File = "C:\\m\\a.mp3";
    EXPECT_FALSE(settings_dialog::save_settings(fake, settings, "4", "C:\\ro\\Ember_Lantern.ini"));
    EXPECT_EQ(fake.writes.size(), 3u);
    EXPECT_EQ(settings.BGM_Kind, 2);
    EXPECT_EQ(settings.BGM_RepeatTrack, 4);
    EXPECT_EQ(settings.BGM_File, "C:\\m\\a.mp3");
}

}  // namespace
