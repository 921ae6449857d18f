// The exact refresh rate of the monitor a window is on: a display sold as
// 60 Hz often runs at 59.94 (60000/1001), and Windows' display settings round
// that down to 59; a loop paced at the rounded rate misses a refresh about
// once a second. Read again whenever the window's monitor or the display
// changes.
#pragma once

#include <windows.h>

namespace renderer {

struct RefreshRate {
    double hz = 60.0;
    // Where the figure came from, for the benchmark: "display-config" (the
    // monitor's path, a rational rate), "compositor" (the compositor's
    // timing, primary monitor only), "display-settings" (the rounded whole
    // number), "default" (nothing answered).
    const char* source = "default";
};

// The rate of `monitor`, the most exact source that answers first.
RefreshRate monitor_refresh_rate(HMONITOR monitor) noexcept;

}  // namespace renderer
