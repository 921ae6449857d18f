// The Windows side of pacing the loop to the display (renderer/frame_pacer.h
// decides when, refresh_rate.h reads the rate, the window's GL asks for the driver's
// swap interval): a wait for the rest of a frame period that still takes
// every message at once.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <mmsystem.h>

#include <cstdint>

#include "common/win32/handles.h"

namespace renderer {

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
