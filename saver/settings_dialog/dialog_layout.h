// Where everything of the settings dialog lies, in twips from the top-left
// corner of its container (the window's client area, or the music panel),
// and which controls a music kind enables. Portable logic: no
// Windows header; the Windows side converts with saver/shared/twips.h.
#pragma once

#include <cstdint>

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

}  // namespace settings_dialog
