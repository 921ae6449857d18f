// The monitors as the system lists them, which the full-screen layout
// (renderer/monitor_layout.h) places the window and its views over.
#pragma once

#include <vector>

#include "renderer/monitor_layout.h"

namespace renderer {

// Every monitor, in physical pixels (the program is per-monitor DPI-aware,
// so nothing is scaled or stretched); where the system lists none, the
// screen DC's size at the origin; empty when neither answers (the monitor is
// gone for a moment).
std::vector<Monitor> list_monitors();

}  // namespace renderer
