// The benchmark build's timing of the frames: where each frame's time goes,
// summed over the run. The shipped program times nothing. Times are
// tick-counter readings (the performance counter on Windows).
#pragma once

#include <cstdint>

namespace renderer {

// Performance-counter ticks, summed over frames.
struct FrameStats {
    std::int64_t frames = 0;
    std::int64_t frames_after_a_wait = 0;  // of those, frames the loop waited for: it kept to a schedule
    std::int64_t cpu_ticks = 0;            // animation step, colours, text, frame-rate count
    std::int64_t gl_ticks = 0;             // GL calls up to glFinish, and SwapBuffers
    std::int64_t loop_ticks = 0;           // from one frame's start to the next (the whole loop)
    double loop_ticks_squared = 0.0;       // sum of the squares of those, for the frame times' spread
    const char* pacing = "";  // who holds the loop to the display: "driver", a wait's timer, "capped", "unpaced"
    double refresh_hz = 0.0;  // the monitor's, as the loop paces to it
    const char* refresh_source = "";  // where that rate came from (win32/pacing/frame_pacer.h)
};

// Performance-counter readings within one frame: at its start, after the
// animation step, after the GL calls up to glFinish, after the frame-rate
// count, and after the swap.
struct FrameMarks {
    std::int64_t start = 0, planned = 0, drawn = 0, counted = 0, shown = 0;
};

class FrameTiming {
public:
    explicit FrameTiming(FrameStats* stats) : stats_(stats) {}

    // Where a frame's readings go; null when nothing is timed, and then the
    // frame takes none.
    FrameMarks* marks() { return stats_ ? &marks_ : nullptr; }

    // Adds the frame whose readings marks() took, shown at `shown` ticks;
    // `pacing`, `refresh_hz` and `refresh_source` say how the loop kept to
    // the display (static strings).
    void frame_shown(std::int64_t shown, const char* pacing, double refresh_hz, const char* refresh_source);

    // The loop waited before the next frame.
    void waited() { waited_ = true; }

private:
    FrameStats* stats_;
    FrameMarks marks_;
    bool waited_ = false;  // since the last frame shown
    std::int64_t last_frame_start_ = 0;
};

}  // namespace renderer
