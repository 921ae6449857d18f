// What the settings dialog decides, worked out without a window: where
// everything lies, its numbers, its gradients and its save, and the decisions
// its window only carries out (where Tab moves the focus, which kind a press
// or an arrow key chooses, the caption zoom's point, the form in which a
// chosen music file is kept). Places are in twips from the top-left corner of
// their container (the window's client area, or the music panel); the
// Windows side converts them with saver/shared/twips.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "saver/shared/settings.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/twips.h"

namespace settings_dialog {

// ---- The layout ----

// The window's client area: 479 x 252 pixels.
inline constexpr int kClientWidthTwips = 7185;
inline constexpr int kClientHeightTwips = 3780;

// In the window.
inline constexpr shared::TwipsRect kPanel{180, 240, 6795, 2535};  // the music panel
inline constexpr shared::TwipsRect kCmdEtc{2880, 3000, 1875, 375};
inline constexpr shared::TwipsRect kCmdSet{4800, 3000, 1095, 375};
inline constexpr shared::TwipsRect kCmdCan{5940, 3000, 1035, 375};

// In the panel.
inline constexpr shared::TwipsRect kHeadingFrame{300, 300, 1695, 315};   // one-pixel black outline
inline constexpr shared::TwipsRect kHeading{300, 360, 1665, 195};        // "BGM", centred
inline constexpr shared::TwipsRect kRepeatBox{1380, 780, 615, 300};      // BGM_Repeat
inline constexpr shared::TwipsRect kRepeatCaption{2040, 840, 990, 195};  // right of the repeat box
inline constexpr shared::TwipsRect kCmdBgm{540, 1740, 435, 315};
inline constexpr shared::TwipsRect kFileName{1020, 1740, 5355, 435};  // lbl_Fname, with a thin frame

// The marks and their names, by music kind i: 0 none, 1 audio CD, 2 file.
// The rows run CD, none, file from the top.
inline constexpr int kKindCount = 3;
inline constexpr shared::TwipsRect kKindMark[kKindCount] = {{300, 1140, 195, 195},
                                                            {300, 840, 195, 195},
                                                            {300, 1440, 195, 195}};
inline constexpr shared::TwipsRect kKindLabel[kKindCount] = {{540, 1140, 345, 195},
                                                             {540, 840, 645, 195},
                                                             {540, 1440, 900, 195}};

// The dialog's place on the screen, in twips: centred across, at a third of
// the free height from the top; the differences are whole twips and the
// divisions truncate toward zero. Sizes are the window's outer ones.
struct TwipsPoint {
    int x = 0, y = 0;
};
inline TwipsPoint dialog_position(int screen_width, int screen_height, int window_width, int window_height) {
    return {(screen_width - window_width) / 2, (screen_height - window_height) / 3};
}

// What a music kind shows: its mark chosen, the others clear; the repeat box
// enabled exactly for the audio CD and the file button exactly for a file. A
// kind outside 0..2 (a hand-edited file) chooses no mark and enables neither.
struct KindLook {
    bool chosen[kKindCount] = {};
    bool repeat_enabled = false;
    bool file_button_enabled = false;
};
inline KindLook kind_look(std::int16_t kind) {
    KindLook look;
    if (kind >= 0 && kind < kKindCount)
        look.chosen[kind] = true;
    look.repeat_enabled = kind == shared::kMusicCd;
    look.file_button_enabled = kind == shared::kMusicFile;
    return look;
}

// ---- The numbers: the repeat box's text both ways, and the rounding ----

// To the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2).
double round_half_even(double value);

// A track number in the pattern "##": its digits without leading zeros, a
// minus sign before a negative one, and nothing at all for 0.
std::string format_track(std::int16_t track);

// The repeat box's drop-down list: 0 to 30 in that pattern, so one empty
// entry, then "1" to "30".
std::vector<std::string> repeat_entries();

// BGM_RepeatTrack after a save, from the repeat box's text. A number (blanks
// around it, an optional sign, digits with an optional decimal fraction)
// becomes that number rounded half to even; any other text gives 0. A number
// the setting cannot hold (outside -32768..32767) keeps `previous`, as a
// conversion that fails leaves the setting as it was.
std::int16_t repeat_track_from_text(const std::string& text, std::int16_t previous);

// ---- The gradients ----

// The background: top-to-bottom gradients, dark at the top and bottom edges
// and brightest in the middle, from a sine curve; blue-tinted on the window,
// neutral grey on the music panel. The Windows side draws one line per row.
struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

enum class GradientSurface {
    Window,  // red = green = v, blue = v + 30: RGB(0, 0, 30) at the edges, (220, 220, 250) in the middle
    Panel,   // red = green = blue = v + 30: RGB(30, 30, 30) at the edges, (250, 250, 250) in the middle
};

// The colour of each row y = 0, 1, ... n of a surface `height` pixels high,
// n being the height rounded half to even: v = |220 sin(y / k)| rounded half
// to even, with k = height / 3.142. Row n lies on the lower edge or just
// below it. A surface of no height has no rows (k would be 0).
std::vector<Rgb> gradient_rows(double height, GradientSurface surface);

// ---- The save ----

// Writes the three keys to "Section" of `ini_path` through PutIniValue, in
// this order, whatever the kind: "BGM区分" = BGM_Kind; then BGM_RepeatTrack is
// taken from the repeat box's text (repeat_track_from_text) and "BGMﾘﾋﾟｰﾄ"
// written; then "BGMﾌｧｲﾙ" = BGM_File as held, possibly empty. Numbers are in
// the settings file's form (a blank before a value of 0 or more). Returns
// whether all three writes succeeded; the settings in memory are kept either
// way.
bool save_settings(shared::SettingsSystem& system,
                   shared::Settings& settings,
                   const std::string& repeat_text,
                   const std::string& ini_path);

// ---- Tab stepping ----

// The control of the tab order that gets the focus next. `takes_focus` holds,
// for each control in tab order, whether it can take the focus now (enabled,
// visible, a tab stop); `current` is the index of the control that has the
// focus, -1 when none of them has it. Forward the search starts after
// `current` (at the first control when -1), backwards before it (at the last
// control when -1), and wraps round once; every control is tried at most
// once, `current` itself last. nullopt when none can take the focus.
std::optional<int> next_tab_stop(const std::vector<bool>& takes_focus, int current, bool backwards);

// ---- A press on the music panel ----

// The music kind (0 none, 1 audio CD, 2 file) whose mark or name covers the
// panel's pixel (x, y) on a display of `dpi` dots per inch, -1 when none
// does. A place covers its left column and top row but not its right column
// and bottom row, as PtInRect counts.
int kind_at(int x, int y, int dpi);

// ---- Arrow keys on the music panel: its rows act as one group of option buttons ----

// The kind (0 none, 1 audio CD, 2 file) of the row below (`down`) or above
// the row of `current`, in the order the rows stand on the panel, top to
// bottom; from the bottom row down goes round to the top row, from the top
// row up to the bottom row. With `current` outside 0..2 (a hand-edited
// settings file, no mark chosen) down chooses the top row and up the bottom
// row, as if the choice stood just above the group for down and just below
// it for up.
int kind_after_step(int current, bool down);

// ---- The caption zoom's point, taken from the cursor when the dialog loads ----

// Screen point, in pixels, each coordinate a 16-bit signed integer.
struct ZoomPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// A cursor position as the system reports it, in pixels.
struct CursorPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// The zoom point after reading the cursor: (0, 0) when it could not be read;
// otherwise the cursor's position, where a coordinate that a 16-bit point
// cannot hold keeps its `earlier` value.
ZoomPoint zoom_origin_from_cursor(ZoomPoint earlier, std::optional<CursorPoint> cursor);

// ---- The form in which a music file chosen in the file chooser is kept ----

// The saver plays its music through the ANSI multimedia and sound calls,
// which open only a path the system's ANSI code page holds. A chosen path it
// holds exactly is kept as it is; another is kept as its short (8.3) form
// where that form is one the code page holds; otherwise no form of the name
// can be opened, and the choice is refused rather than saved under a name by
// which the saver would be silent every night.

// The system's conversions of a path.
class PathForms {
public:
    // The path in the ANSI code page, when it converts there and back
    // unchanged; nullopt when a character would be lost or replaced by a
    // look-alike ("é" by "e" or "?").
    virtual std::optional<std::string> exact_ansi(const std::wstring& path) const = 0;
    // The path with each part that has a short (8.3) name given by it; parts
    // without one (a volume that keeps no short names) stay as they are.
    // nullopt when the system cannot say (the file is gone).
    virtual std::optional<std::wstring> short_form(const std::wstring& path) const = 0;

protected:
    ~PathForms() = default;
};

// The path, in the ANSI code page, to keep in the settings for the file
// `chosen`; nullopt when the ANSI calls could open it by no name.
std::optional<std::string> stored_music_path(const PathForms& forms, const std::wstring& chosen);

}  // namespace settings_dialog
