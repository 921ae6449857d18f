// When the next frame may start, so that the loop draws at the display's
// refresh rate instead of keeping a processor and the graphics card busy all
// night. The driver paces the loop where it honours a swap interval; where it
// does not (frames keep coming much faster than the refresh rate), the loop
// paces itself against a running deadline, so that the frames average the
// refresh rate even though each wait ends a little late. Falling back is not
// for good: a burst of swaps that return at once (an occluded window, a mode
// switch) passes, so a self-pacing loop gives the driver another chance from
// time to time, less often each time it fails. Times are tick-counter
// readings (the performance counter on Windows).
#pragma once

#include <cstdint>

namespace renderer {

// The monitor's refresh rate as the system reports it (Hz); 0 and 1 mean the
// hardware's default, and a figure outside any real display's range is not
// believed: both give 60.
double refresh_rate_or_default(double reported_hz);

// The rate the loop is held to where every frame is expensive to show: in a
// remote session each frame crosses the network, and Microsoft's software
// renderer ("GDI Generic", the GL_RENDERER string) draws on a core. The
// motion is per second, so it looks the same.
constexpr double kModestRate = 20.0;  // Hz

// kModestRate in a remote session or on that renderer; 0 (no cap) otherwise.
// `gl_renderer` may be null.
double frame_rate_cap(bool remote_session, const char* gl_renderer);

// What the loop paces to, for one window.
struct PacingPlan {
    double refresh_hz = 60.0;   // the display's exact rate (59.94, not 59)
    bool driver_syncs = false;  // the driver accepted a swap interval of one refresh
    bool pace = true;           // false: never held (the benchmark's unpaced figures)
    double cap_hz = 0.0;        // a lower rate the loop keeps to whatever the driver does; 0 = none
};

// Who holds the loop to the display.
enum class Pacing {
    Unpaced,  // nothing: frames as fast as the loop allows
    Driver,   // the driver's swap interval, watched over each half second
    Self,     // the loop's own deadline, at the refresh rate
    Probing,  // the loop's deadline at a rate above the refresh: does the driver hold it back?
    Capped,   // the loop's own deadline at the cap (a remote session, a software renderer)
};

class FramePacer {
public:
    // For a new window.
    void start(std::int64_t now, std::int64_t ticks_per_second, const PacingPlan& plan);

    // The display's rate read again (another monitor, a display change); the
    // way of pacing stays, the period follows.
    void set_refresh_rate(std::int64_t now, double refresh_hz);

    // Ticks from `now` until the next frame may start; 0 when it may start at
    // once. Never more than one period, so a wait for it cannot delay input
    // for longer than that.
    std::int64_t ticks_to_wait(std::int64_t now) const;

    // After a frame has been swapped to the screen.
    void frame_shown(std::int64_t now);

    // After a stall the system announces (resume, the display back on): the
    // deadline is dropped and the driver is watched afresh.
    void restart(std::int64_t now);

    Pacing pacing() const { return pacing_; }
    bool self_pacing() const { return pacing_ == Pacing::Self || pacing_ == Pacing::Probing; }
    std::int64_t period() const { return period_; }  // ticks per refresh

private:
    void set_period();
    void end_watch(std::int64_t now, double frames_per_second);
    std::int64_t deadline_period() const;

    Pacing pacing_ = Pacing::Unpaced;
    bool driver_syncs_ = false;
    std::int64_t ticks_per_second_ = 1;
    double refresh_hz_ = 60.0;
    double cap_hz_ = 0.0;
    std::int64_t period_ = 0;       // ticks per refresh
    std::int64_t deadline_ = 0;     // earliest start of the next frame
    std::int64_t watch_start_ = 0;  // the driver's pacing is judged over a span of frames
    int watch_frames_ = 0;
    std::int64_t next_probe_ = 0;  // when a self-pacing loop next tries the driver
    double probe_interval_ = 0.0;  // seconds; doubles after every failed try
};

}  // namespace renderer
