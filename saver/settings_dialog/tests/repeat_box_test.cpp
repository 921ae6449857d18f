// The repeat box's text both ways: the track it shows and lists, and the
// track a save takes from what it holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/settings_dialog/repeat_box.h"

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

}  // namespace
