#include "renderer/monitor_layout.h"

#include <algorithm>

namespace renderer {
namespace {

bool inside(const common::PixelRect& inner, const common::PixelRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool at_origin(const Monitor& m) {
    return m.rect.left == 0 && m.rect.top == 0;
}

}  // namespace

FullScreenLayout full_screen_layout(const std::vector<Monitor>& monitors) {
    std::vector<Monitor> shown;
    for (const Monitor& m : monitors) {
        if (!m.rect.empty())
            shown.push_back(m);
    }
    // The primary first, so that it keeps its view whatever lies inside it.
    auto primary = std::find_if(shown.begin(), shown.end(), [](const Monitor& m) { return m.primary; });
    if (primary == shown.end())
        primary = std::find_if(shown.begin(), shown.end(), at_origin);
    if (primary != shown.end())
        std::rotate(shown.begin(), primary, primary + 1);

    FullScreenLayout layout;
    std::vector<const Monitor*> kept;
    for (const Monitor& m : shown) {
        const bool covered =
            std::any_of(kept.begin(), kept.end(), [&](const Monitor* k) { return inside(m.rect, k->rect); });
        // One holding the primary would draw over the primary's picture.
        if (covered || (!kept.empty() && inside(kept.front()->rect, m.rect)))
            continue;
        // A larger monitor holding one kept before takes its place.
        kept.erase(std::remove_if(kept.begin() + (kept.empty() ? 0 : 1), kept.end(),
                                  [&](const Monitor* k) { return inside(k->rect, m.rect); }),
                   kept.end());
        kept.push_back(&m);
    }
    if (kept.empty())
        return layout;
    layout.window = kept.front()->rect;
    for (const Monitor* m : kept) {
        layout.window.left = std::min(layout.window.left, m->rect.left);
        layout.window.top = std::min(layout.window.top, m->rect.top);
        layout.window.right = std::max(layout.window.right, m->rect.right);
        layout.window.bottom = std::max(layout.window.bottom, m->rect.bottom);
    }
    for (const Monitor* m : kept) {
        MonitorView view;
        view.x = m->rect.left - layout.window.left;
        view.y = layout.window.bottom - m->rect.bottom;
        view.width = m->rect.width();
        view.height = m->rect.height();
        view.primary = m == kept.front();
        view.device = m->device;
        layout.views.push_back(view);
    }
    return layout;
}

}  // namespace renderer
