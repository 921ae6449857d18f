#include "renderer/win32/pacing/frame_pacer.h"

#include "common/win32/system_library.h"

namespace renderer {
namespace {

constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr UINT kTimerPeriodMs = 1;
constexpr std::int64_t kHundredNanosecondsPerSecond = 10'000'000;

}  // namespace

FrameWaiter::~FrameWaiter() {
    if (end_period_)
        end_period_(kTimerPeriodMs);
}

void FrameWaiter::set_up() noexcept {
    set_up_ = true;
    decltype(&::CreateWaitableTimerExW) create_timer = nullptr;
    if (win32::resolve(GetModuleHandleA("kernel32.dll"), "CreateWaitableTimerExW", create_timer))
        timer_ = win32::UniqueHandle(create_timer(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
    if (timer_)
        return;
    // Older systems refuse the flag: make the system timer fine for the run.
    const HMODULE winmm = win32::load_system_library("winmm.dll");
    decltype(&::timeBeginPeriod) begin_period = nullptr;
    decltype(&::timeEndPeriod) end_period = nullptr;
    if (win32::resolve(winmm, "timeBeginPeriod", begin_period) && win32::resolve(winmm, "timeEndPeriod", end_period) &&
        begin_period(kTimerPeriodMs) == 0)
        end_period_ = end_period;
}

void FrameWaiter::wait(std::int64_t ticks, std::int64_t ticks_per_second) noexcept {
    if (ticks <= 0 || ticks_per_second <= 0)
        return;
    if (!set_up_)
        set_up();
    // MWMO_INPUTAVAILABLE: input already in the queue ends the wait too.
    if (timer_) {
        LARGE_INTEGER due;
        due.QuadPart = -(ticks * kHundredNanosecondsPerSecond / ticks_per_second);  // relative
        if (SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
            const HANDLE handles[] = {timer_.get()};
            MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            return;
        }
    }
    // Rounded up: a wait shorter than asked would come back to a frame not
    // yet due and wait again, close to spinning; the running deadline makes
    // up for the longer one.
    const std::int64_t ms = (ticks * 1000 + ticks_per_second - 1) / ticks_per_second;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

const char* FrameWaiter::timing() const noexcept {
    if (!set_up_)
        return "none";
    if (timer_)
        return "high-resolution-timer";
    return end_period_ ? "1ms-system-timer" : "system-timer";
}

}  // namespace renderer
