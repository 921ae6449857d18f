// The benchmark build's timing of the frames: where each frame's time goes,
// summed over the run; and what the benchmark and test builds change. The
// shipped program times nothing and takes the defaults.
#pragma once

#include <cstdint>
#include <functional>

#include "renderer/win32/gl_scene.h"
#include "renderer/win32/refresh_rate.h"

namespace renderer {

// Performance-counter ticks, summed over frames.
struct FrameStats {
    std::int64_t frames = 0;
    std::int64_t cpu_ticks = 0;       // animation step, colours, text, frame-rate count
    std::int64_t gl_ticks = 0;        // GL calls up to glFinish, and SwapBuffers
    std::int64_t loop_ticks = 0;      // from one frame's start to the next (the whole loop)
    double loop_ticks_squared = 0.0;  // sum of the squares of those, for the frame times' spread
    const char* pacing = "";  // who holds the loop to the display: "driver", a wait's timer, "capped", "unpaced"
    double refresh_hz = 0.0;  // the monitor's, as the loop paces to it
    const char* refresh_source = "";  // where that rate came from (refresh_rate.h)
};

struct BenchOptions {
    FrameStats* stats = nullptr;  // where the frame times go
    bool pace = true;             // false: draw as fast as the loop allows, for the unpaced throughput
    // Called after every frame shown with the animation it drew: the tests'
    // window on the motion.
    std::function<void(const scene::SceneState&)> on_frame;
    // Asked at the start of every window's set-up: a step name makes the
    // set-up fail there, as when the monitor is gone for a moment.
    std::function<const char*()> fail_set_up;
};

class FrameTiming {
public:
    explicit FrameTiming(FrameStats* stats) : stats_(stats) {}

    // Where a frame's readings go; null when nothing is timed, and then the
    // frame takes none.
    FrameMarks* marks() { return stats_ ? &marks_ : nullptr; }

    // Adds the frame whose readings marks() took, shown at `shown` ticks;
    // `pacing` and `refresh` say how the loop kept to the display.
    void frame_shown(std::int64_t shown, const char* pacing, const RefreshRate& refresh);

private:
    FrameStats* stats_;
    FrameMarks marks_;
    std::int64_t last_frame_start_ = 0;
};

}  // namespace renderer
