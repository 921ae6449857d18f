// When the next frame may start, so that the loop draws at the display's
// refresh rate instead of keeping a processor and the graphics card busy all
// night. The driver paces the loop where it honours a swap interval: each swap
// returns at a vertical blank. Some drivers wait for that blank by spinning on
// a processor, so the loop also sleeps until shortly before the next blank,
// by as much as its frames' own work and its waits' lateness allow, and
// leaves the driver little to spin. Where the swaps do not keep to whole
// refresh periods, the driver's interval has no effect, and the loop paces
// itself against a running deadline, so that the frames average the refresh
// rate even though each wait ends a little late. Falling back is not for good:
// a burst of swaps that return at once (an occluded window, a mode switch)
// passes, so a self-pacing loop gives the driver another chance from time to
// time, less often each time it fails. Times are tick-counter readings (the
// performance counter on Windows).
#pragma once

#include <cstdint>

#include "renderer/recent_peak.h"

namespace renderer {

// The monitor's refresh rate as the system reports it (Hz); 0 and 1 mean the
// hardware's default, and a figure outside any real display's range is not
// believed: both give 60.
double refresh_rate_or_default(double reported_hz);

// The rate the loop is held to where every frame is expensive to show: in a
// remote session each frame crosses the network, Microsoft's software
// renderer ("GDI Generic", the GL_RENDERER string) draws on a core, and
// while the power plan's battery or energy saver is on the user has asked
// every program to spend less. The motion is per second, so it looks the
// same.
constexpr double kModestRate = 20.0;  // Hz

// kModestRate in a remote session, on that renderer or while a power saver
// is on; 0 (no cap) otherwise. `gl_renderer` may be null.
double frame_rate_cap(bool remote_session, bool power_saver, const char* gl_renderer);

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
    Driver,   // the driver's swap interval (and a sleep before each blank), watched over each half second
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

    // The cap changed mid-run (a power saver turned on or off; 0 = none):
    // what the pacer has found out about the driver is kept for when the cap
    // goes, and the schedule starts again from now.
    void set_cap(std::int64_t now, double cap_hz);

    // Ticks from `now` until the next frame may start; 0 when it may start at
    // once, and then it starts now. Never more than one period, so a wait for
    // it cannot delay input for longer than that.
    std::int64_t ticks_to_wait(std::int64_t now);

    // The frame is drawn and its swap comes next: its own work since it
    // started, and how late the wait before it ended, say how early before a
    // vertical blank the loop must wake. A loop that never calls it is paced
    // as before, without a sleep before the blank.
    void frame_drawn(std::int64_t now);

    // After a frame has been swapped to the screen.
    void frame_shown(std::int64_t now);

    // After a stall the system announces (resume, the display back on): the
    // deadline is dropped and the driver is watched afresh.
    void restart(std::int64_t now);

    Pacing pacing() const { return pacing_; }
    bool self_pacing() const { return pacing_ == Pacing::Self || pacing_ == Pacing::Probing; }
    std::int64_t period() const { return period_; }  // ticks per refresh

private:
    std::int64_t lead_before_blank(std::int64_t now) const;
    std::int64_t wake(std::int64_t now) const;
    void note_blank(std::int64_t now);
    void watch_frame(std::int64_t now);
    void begin_watch(std::int64_t now);
    void end_watch(std::int64_t now, bool held);
    std::int64_t deadline_period() const;

    Pacing pacing_ = Pacing::Unpaced;
    Pacing uncapped_ = Pacing::Self;  // Driver or Self: how the loop paces once a cap goes
    bool driver_syncs_ = false;
    std::int64_t ticks_per_second_ = 1;
    double refresh_hz_ = 60.0;
    double cap_hz_ = 0.0;
    std::int64_t period_ = 0;        // ticks per refresh
    std::int64_t deadline_ = 0;      // earliest start of the next frame
    std::int64_t watch_start_ = 0;   // the driver's pacing is judged over a span of frames...
    std::int64_t watch_blanks_ = 0;  // ...by the refreshes the swaps took, in whole periods
    bool shown_ = false;             // a frame was shown since the last restart, at last_shown_
    std::int64_t last_shown_ = 0;
    std::int64_t blank_ = 0;      // a vertical blank, as the swaps' returns show it
    bool frame_started_ = false;  // the frame under way started at frame_start_...
    std::int64_t frame_start_ = 0;
    bool waited_ = false;  // ...after a wait that was due to end at wake_
    std::int64_t wake_ = 0;
    RecentPeak work_;              // a frame's own work, from its start to its swap
    RecentPeak lateness_;          // how late a wait ends
    std::int64_t next_probe_ = 0;  // when a self-pacing loop next tries the driver
    double probe_interval_ = 0.0;  // seconds; doubles after every failed try
};

}  // namespace renderer
