// When the next frame may start, so that the loop draws at the display's
// refresh rate instead of keeping a processor and the graphics card busy all
// night. The driver paces the loop where it honours a swap interval; where it
// does not (frames keep coming much faster than the refresh rate), the loop
// paces itself against a running deadline, so that the frames average the
// refresh rate even though each wait ends a little late. Portable logic:
// times are tick-counter readings (the performance counter on Windows).
#pragma once

#include <cstdint>

namespace renderer {

// The monitor's refresh rate as the system reports it (Hz); 0 and 1 mean the
// hardware's default, and a figure outside any real display's range is not
// believed: both give 60.
double refresh_rate_or_default(int reported_hz);

class FramePacer {
public:
    // For a new window: `driver_syncs` when the driver accepted a swap
    // interval of one refresh. With `pace` false the loop is never held (the
    // benchmark's unpaced figures).
    void start(std::int64_t now, std::int64_t ticks_per_second, double refresh_hz, bool driver_syncs, bool pace);

    // Ticks from `now` until the next frame may start; 0 when it may start at
    // once. Never more than one refresh period, so a wait for it cannot delay
    // input for longer than that.
    std::int64_t ticks_to_wait(std::int64_t now) const;

    // After a frame has been swapped to the screen.
    void frame_shown(std::int64_t now);

    // After a stall the system announces (resume): the deadline is dropped
    // and the driver is watched afresh.
    void restart(std::int64_t now);

    bool self_pacing() const { return self_pacing_; }
    std::int64_t period() const { return period_; }

private:
    void watch_driver(std::int64_t now);

    bool pace_ = true;
    bool self_pacing_ = false;
    std::int64_t ticks_per_second_ = 1;
    std::int64_t period_ = 0;       // ticks per refresh
    std::int64_t deadline_ = 0;     // earliest start of the next frame
    std::int64_t watch_start_ = 0;  // the driver's pacing is judged over a span of frames
    int watch_frames_ = 0;
};

}  // namespace renderer
