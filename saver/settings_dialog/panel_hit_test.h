// Which music kind a press on the music panel chooses. Portable logic: no
// Windows header.
#pragma once

namespace settings_dialog {

// The music kind (0 none, 1 audio CD, 2 file) whose mark or name covers the
// panel's pixel (x, y) on a display of `dpi` dots per inch, -1 when none does. A place covers its left column and
// top row but not its right column and bottom row, as PtInRect counts.
int kind_at(int x, int y, int dpi);

}  // namespace settings_dialog
