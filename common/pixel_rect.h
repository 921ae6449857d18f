// A place in pixels, by its edges as Windows counts a RECT: the left column
// and top row inside it, the right column and bottom row outside. The pixels
// of a window's client area, or of the virtual screen, where they are
// negative left of or above the primary monitor.
#pragma once

namespace common {

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

}  // namespace common
