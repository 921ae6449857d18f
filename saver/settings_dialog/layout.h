// Where the settings dialog's parts lie, and what follows from the marks'
// places: which kind a press on the music panel chooses, and the order in
// which the arrow keys walk the kinds' rows; and the caption zoom's point,
// the screen point in pixels from which the dialog's caption bar zooms open
// and into which it zooms closed, taken from the cursor when the dialog
// loads (win32/layout.h draws the zoom). Places are in twips from the
// top-left corner of their container (the window's client area, or the music
// panel); the Windows side converts them with saver/shared/twips.h.
#pragma once

#include <cstdint>
#include <optional>

#include "saver/shared/settings.h"
#include "saver/shared/twips.h"

namespace settings_dialog {

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

// A press on the music panel: the music kind (0 none, 1 audio CD, 2 file)
// whose mark or name covers the panel's pixel (x, y) on a display of `dpi`
// dots per inch, -1 when none does. A place covers its left column and top
// row but not its right column and bottom row, as PtInRect counts.
int kind_at(int x, int y, int dpi);

// Arrow keys on the music panel, whose rows act as one group of option
// buttons: the kind (0 none, 1 audio CD, 2 file) of the row below (`down`) or
// above the row of `current`, in the order the rows stand on the panel, top
// to bottom; from the bottom row down goes round to the top row, from the top
// row up to the bottom row. With `current` outside 0..2 (a hand-edited
// settings file, no mark chosen) down chooses the top row and up the bottom
// row, as if the choice stood just above the group for down and just below
// it for up.
int kind_after_step(int current, bool down);

// Each coordinate a 16-bit signed integer.
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

}  // namespace settings_dialog
