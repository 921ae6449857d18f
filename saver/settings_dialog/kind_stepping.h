// Which music kind an arrow key on the focused music panel chooses: the
// panel's rows act as one group of option buttons. Portable logic: no Windows
// header.
#pragma once

namespace settings_dialog {

// The kind (0 none, 1 audio CD, 2 file) of the row below (`down`) or above
// the row of `current`, in the order the rows stand on the panel, top to
// bottom; from the bottom row down goes round to the top row, from the top
// row up to the bottom row. With `current` outside 0..2 (a hand-edited
// settings file, no mark chosen) down chooses the top row and up the bottom
// row, as if the choice stood just above the group for down and just below
// it for up.
int kind_after_step(int current, bool down);

}  // namespace settings_dialog
