#include "renderer/cover_layout.h"

#include <algorithm>

namespace renderer {
namespace {

bool inside(const ScreenRect& inner, const ScreenRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<ScreenRect> monitors_to_cover(const std::vector<ScreenRect>& monitors, const ScreenRect& main_window) {
    std::vector<ScreenRect> covers;
    for (const ScreenRect& monitor : monitors) {
        if (monitor.empty() || inside(monitor, main_window))
            continue;
        if (std::find(covers.begin(), covers.end(), monitor) == covers.end())
            covers.push_back(monitor);
    }
    return covers;
}

}  // namespace renderer
