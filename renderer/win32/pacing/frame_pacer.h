// The Windows side of pacing the loop to the display (renderer/frame_pacer.h
// decides when; the window's GL asks for the driver's swap interval): the
// monitor's exact refresh rate, and a wait for the rest of a frame period
// that still takes every message at once.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <cstdint>

#include "common/win32/handles.h"

namespace renderer {

// The exact refresh rate of the monitor a window is on: a display sold as
// 60 Hz often runs at 59.94 (60000/1001), and Windows' display settings round
// that down to 59; a loop paced at the rounded rate misses a refresh about
// once a second. Read again whenever the window's monitor or the display
// changes.
struct RefreshRate {
    double hz = 60.0;
    // Where the figure came from, for the benchmark: "display-config" (the
    // monitor's path, a rational rate), "compositor" (the compositor's
    // timing, primary monitor only), "display-settings" (the rounded whole
    // number), "default" (nothing answered).
    const char* source = "default";
};

// The rate of `monitor`, the most exact source that answers first.
RefreshRate monitor_refresh_rate(HMONITOR monitor) noexcept;

// Waits for a message or for the rest of a frame period, whichever comes
// first; never spins and never blocks input. A timeout of the system timer is
// only as fine as its tick (15.6 ms by default, which would turn 60 Hz into
// 32 Hz), so the first wait sets up a high-resolution waitable timer where
// the system has one (Windows 10 1803 and later), otherwise a 1 ms system
// timer period that lasts as long as this object.
class FrameWaiter {
public:
    FrameWaiter() = default;
    FrameWaiter(const FrameWaiter&) = delete;
    FrameWaiter& operator=(const FrameWaiter&) = delete;
    ~FrameWaiter();

    void wait(std::int64_t ticks, std::int64_t ticks_per_second) noexcept;

    // How the waits are timed, for the benchmark: "none" before the first.
    const char* timing() const noexcept;

private:
    void set_up() noexcept;

    bool set_up_ = false;
    win32::UniqueHandle timer_;                        // high-resolution waitable timer, or none
    decltype(&::timeEndPeriod) end_period_ = nullptr;  // set while the 1 ms period is in force
};

}  // namespace renderer
