// Which monitors the renderer darkens besides its own window. The full-screen
// window covers the primary monitor only (the screen DC's size at the
// origin); every other monitor gets a plain black window of its own, so no
// document or desktop shows beside the picture. Portable logic: no Windows
// header; rectangles are the system's virtual-screen pixels (right and
// bottom exclusive), which are negative left of or above the primary.
#pragma once

#include <vector>

namespace renderer {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const ScreenRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The monitors to cover, in the order given: each monitor that does not lie
// wholly inside the main window, once (a mirrored monitor reported twice, or
// a clone of the primary, needs nothing); empty rectangles are skipped.
std::vector<ScreenRect> monitors_to_cover(const std::vector<ScreenRect>& monitors, const ScreenRect& main_window);

}  // namespace renderer
