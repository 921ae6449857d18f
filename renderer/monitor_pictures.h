// What the monitors show. Every monitor's picture lasts the whole run, kept
// through Tab and display changes: a monitor unplugged and plugged in again
// carries on where it was. The primary's picture is the one a single monitor
// shows; each other monitor's has its own start values and its own random
// stream, so that however many monitors there are, the primary's picture is
// the same frame for frame.
//
// A window shows them as a list of views, each a part of the window with the
// picture of its monitor. The full-screen window has a view per monitor (the
// primary's first), the framed window one view of the primary's picture over
// its whole client area. Drawing a frame is a loop over the list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "renderer/monitor_layout.h"
#include "renderer/scene/scene_state.h"

namespace renderer {

class MonitorPictures {
public:
    // The primary's picture from `seed` (the time at the start of the run).
    explicit MonitorPictures(std::uint32_t seed);
    MonitorPictures(const MonitorPictures&) = delete;
    MonitorPictures& operator=(const MonitorPictures&) = delete;

    scene::Picture& primary() { return *primary_; }

    // The picture of the monitor the system calls `device`, other than the
    // primary; made now when it is new. It stays where it is for the run.
    scene::Picture& of(const std::string& device);

    std::size_t others() const { return others_.size(); }

private:
    struct Other {
        std::string device;
        std::unique_ptr<scene::Picture> picture;
    };
    std::uint32_t seed_;
    std::unique_ptr<scene::Picture> primary_;
    std::vector<Other> others_;
};

// The seed of the stream of the `n`th other monitor (1, 2, ...) of a run
// seeded with `run_seed`: scrambled, since the runtime's generator started
// from neighbouring seeds gives nearly the same first numbers.
std::uint32_t other_monitor_seed(std::uint32_t run_seed, std::uint32_t n);

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
