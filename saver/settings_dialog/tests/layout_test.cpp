// The dialog's places and what follows from the marks' places: the kind a
// press on the music panel chooses, the order in which the arrow keys walk
// the rows, what a kind shows, where the dialog opens, and the caption
// zoom's point, from the cursor.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "saver/settings_dialog/layout.h"

namespace {

using settings_dialog::dialog_position;
using settings_dialog::kind_after_step;
using settings_dialog::kind_at;
using settings_dialog::kind_look;
using settings_dialog::KindLook;

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

TEST(KindLook, TheMarkChosenAndWhatTheKindEnables) {
    const struct {
        std::int16_t kind;
        bool none, cd, file, repeat, file_button;
    } cases[] = {
        {0, true, false, false, false, false},   {1, false, true, false, true, false},
        {2, false, false, true, false, true},    {3, false, false, false, false, false},
        {-1, false, false, false, false, false}, {32767, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        const KindLook look = kind_look(c.kind);
        EXPECT_EQ(look.chosen[0], c.none) << c.kind;
        EXPECT_EQ(look.chosen[1], c.cd) << c.kind;
        EXPECT_EQ(look.chosen[2], c.file) << c.kind;
        EXPECT_EQ(look.repeat_enabled, c.repeat) << c.kind;
        EXPECT_EQ(look.file_button_enabled, c.file_button) << c.kind;
    }
}

TEST(DialogPosition, CentredAcrossAtAThirdOfTheFreeHeight) {
    // 1024 x 768 pixels are 15360 x 11520 twips; the window 7275 x 4275.
    const settings_dialog::TwipsPoint at = dialog_position(15360, 11520, 7275, 4275);
    EXPECT_EQ(at.x, 4042);  // 8085 / 2, truncated
    EXPECT_EQ(at.y, 2415);
    // A window larger than the screen: negative, truncated toward zero.
    const settings_dialog::TwipsPoint over = dialog_position(1000, 1000, 1005, 1005);
    EXPECT_EQ(over.x, -2);
    EXPECT_EQ(over.y, -1);
}

using settings_dialog::CursorPoint;
using settings_dialog::zoom_origin_from_cursor;
using settings_dialog::ZoomPoint;

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

}  // namespace
