// Where the full-screen picture goes on a desk of one or more monitors: one
// window over the whole virtual screen, and in it a view per monitor with
// its own picture, drawn at that monitor's resolution and aspect ratio. One
// window and one context make one swap per refresh for every monitor;
// swapping several windows in turn, each waiting for the vertical blank,
// would halve the frame rate on many drivers. Rectangles are in the system's
// virtual-screen pixels.
#pragma once

#include <string>
#include <vector>

#include "common/pixel_rect.h"

namespace renderer {

// A monitor as the system lists it.
struct Monitor {
    common::PixelRect rect;
    bool primary = false;
    std::string device;  // the system's name for it ("\\.\DISPLAY2"), by which its picture is kept
};

// One monitor's part of the window: its viewport in window pixels with GL's
// origin at the bottom-left.
struct MonitorView {
    int x = 0, y = 0, width = 0, height = 0;
    bool primary = false;
    std::string device;

    bool operator==(const MonitorView& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height && primary == o.primary &&
               device == o.device;
    }
};

struct FullScreenLayout {
    common::PixelRect window;        // the smallest rectangle holding every monitor
    std::vector<MonitorView> views;  // the primary's first, then the others in the order listed
};

// The window and the views for `monitors`. A monitor listed twice (mirrored)
// gets one view, and so does one lying wholly inside another (a clone at a
// lower resolution shows part of the larger picture), unless the larger one
// holds the primary, which keeps its own; empty ones none. When
// no monitor says it is the primary, the one at the virtual screen's origin
// is taken for it, else the first. No monitor: an empty window, no views.
FullScreenLayout full_screen_layout(const std::vector<Monitor>& monitors);

}  // namespace renderer
