// What one window shows: a list of views, each a part of the window with the
// picture of its monitor. The full-screen window has a view per monitor (the
// primary's first), the framed window one view of the primary's picture over
// its whole client area. Drawing a frame is a loop over the list.
#pragma once

#include <vector>

#include "renderer/monitor_layout.h"
#include "renderer/monitor_pictures.h"
#include "renderer/scene/scene_state.h"

namespace renderer {

struct View {
    MonitorView place;                               // in window pixels, GL's origin at the bottom-left
    scene::Picture* picture;                         // the run's picture of that monitor
    scene::SphereDraw spheres[scene::kSphereCount];  // how it looks this frame (advance_views)
};

// The views of a new window over `places` (full_screen_layout's), each with
// its monitor's picture, made now for a monitor not seen before. No places
// (the framed window): one view of the primary's picture, which gl_resize
// sizes to the client area.
std::vector<View> views_of(const std::vector<MonitorView>& places, MonitorPictures& pictures);

// A window of one view shows it over its whole client area (the framed
// window; full screen on one monitor); several views keep their monitors'
// places.
void fit_views(std::vector<View>& views, int width, int height);

// One frame's motion at the measured rate `fps`: each view's picture moves
// once, drawing from its own stream, and the view takes its colours and
// angles. A picture no view shows stands still.
void advance_views(std::vector<View>& views, float fps);

}  // namespace renderer
