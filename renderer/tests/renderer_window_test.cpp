// The real renderer, run in this process on the test display and driven from
// a second thread as Windows drives it: messages arriving together, and the
// display's power notices, whose structure only a process of its own can hand
// over (the message carries a pointer). Each run watches the motion through
// the frames it draws, and the caption as the saver watches it: from the
// first window on, a window with it must be there at every moment.
#include <windows.h>
// after windows.h, which it needs
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/contract.h"
#include "common/win32/power_settings.h"
#include "renderer/win32/run_options.h"

namespace {

struct Frame {
    float angle_x = 0.0f;  // sphere 0, degrees
    float fps = 0.0f;
    bool show_fps = true;
    const char* pacing = "";     // who held the loop to the display up to the frame before (frame_timing.h)
    float desktop_level = 0.0f;  // the captured desktop's, in the start's fade
};

class RendererRun {
public:
    // Runs the renderer on this thread while `drive` acts on it from another;
    // returns the exit code. A renderer that has not ended 10 s after `drive`
    // returns is closed (and `had_to_close` says so).
    int go(const std::function<void(RendererRun&)>& drive, renderer::RunOptions options = {}) {
        // The frame record, read on the renderer's own thread, says how the
        // loop paced itself.
        options.stats = &stats_;
        options.on_frame = [this](const scene::Picture& primary, const scene::FrameRate& rate,
                                  const renderer::FadeLevels& levels) {
            const std::lock_guard<std::mutex> lock(mutex_);
            frames_.push_back({primary.spheres[0].angle_x, rate.fps, rate.show_fps, stats_.pacing, levels.desktop});
        };
        HANDLE self = nullptr;
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        renderer_thread_ = self;
        std::thread watch([this] { watch_caption(); });
        std::thread driver([&] {
            drive(*this);
            if (!wait_for([this] { return ended_.load(); }, 10000)) {
                had_to_close = true;
                while (!ended_)
                    close_window();
            }
        });
        const int code = renderer::run_renderer(GetModuleHandleA(nullptr), SW_SHOWNORMAL, options);
        ended_ = true;
        driver.join();
        watch.join();
        CloseHandle(self);
        return code;
    }

    static bool wait_for(const std::function<bool()>& condition, DWORD timeout_ms) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > timeout_ms)
                return false;
            Sleep(10);
        }
        return true;
    }

    static HWND window() { return FindWindowA(nullptr, contract::kRendererCaption); }

    // The window, once it draws measured frames: a frame moves by the rate
    // measured before it, so the last three have moved.
    HWND wait_drawing() {
        const std::size_t before = frame_count();
        EXPECT_TRUE(wait_for(
            [&] {
                const std::vector<Frame> f = frames();
                return f.size() > before + 10 && f[f.size() - 1].fps > 0.0f && f[f.size() - 2].fps > 0.0f &&
                       f[f.size() - 3].fps > 0.0f;
            },
            15000));
        return window();
    }

    std::size_t frame_count() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return frames_.size();
    }
    std::vector<Frame> frames() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }
    std::string last_pacing() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return frames_.empty() ? "" : frames_.back().pacing;
    }

    // Processor time of the renderer's thread so far, in milliseconds.
    double thread_ms() const {
        FILETIME created, exited, kernel, user;
        GetThreadTimes(renderer_thread_, &created, &exited, &kernel, &user);
        auto ms = [](const FILETIME& t) {
            return static_cast<double>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
        };
        return ms(kernel) + ms(user);
    }

    static void close_window() {
        PostMessageA(window(), WM_CLOSE, 0, 0);
        Sleep(50);
    }

    bool had_to_close = false;
    int caption_gaps = 0;  // times no window had the caption for a while, and the longest such time
    DWORD longest_gap_ms = 0;

private:
    // Every millisecond, as often as Wine's timer allows: the saver takes the
    // renderer as gone after three of its 50 ms checks.
    void watch_caption() {
        DWORD missing_since = 0;  // once seen; 0 while present
        for (bool seen = false; !ended_; Sleep(1)) {
            const bool present = window() != nullptr;
            if (present && missing_since != 0) {
                ++caption_gaps;
                longest_gap_ms = std::max<DWORD>(longest_gap_ms, GetTickCount() - missing_since);
            }
            if (present || (seen && missing_since == 0))
                missing_since = present ? 0 : GetTickCount() | 1;
            seen = seen || present;
        }
    }

    std::mutex mutex_;
    std::vector<Frame> frames_;
    renderer::FrameStats stats_;  // written on the renderer's thread only
    HANDLE renderer_thread_ = nullptr;
    std::atomic<bool> ended_{false};
};

// Esc and a close request end the program whatever else arrives in the same
// turn of the loop, in either order; a display change or a Tab handled before
// them leaves nothing behind that would make another window instead, and its
// new window is made while the one it replaces still stands.
TEST(RendererWindow, EscAndCloseEndTheProgramWhateverArrivesWithThem) {
    struct Message {
        UINT message;
        WPARAM wparam;
    };
    const Message display_change{WM_DISPLAYCHANGE, 24};
    const Message esc{WM_KEYUP, VK_ESCAPE};
    const Message close{WM_CLOSE, 0};
    const Message tab{WM_KEYUP, VK_TAB};
    struct Case {
        const char* name;
        Message first, second;
        bool new_window_between;  // the display change has made its window before the second arrives
    } const cases[] = {
        {"display change, then Esc", display_change, esc, false},
        {"Esc, then display change", esc, display_change, false},
        {"display change, then close", display_change, close, false},
        {"close, then display change", close, display_change, false},
        {"display change done, then Esc", display_change, esc, true},
        {"Tab, then Esc", tab, esc, false},
        {"Tab done, then close", tab, close, true},
    };
    for (const Case& c : cases) {
        RendererRun run;
        const int code = run.go([&](RendererRun& r) {
            HWND first = r.wait_drawing();
            PostMessageA(first, c.first.message, c.first.wparam, 0);
            HWND target = first;
            if (c.new_window_between) {
                EXPECT_TRUE(RendererRun::wait_for(
                    [&] { return RendererRun::window() && RendererRun::window() != first; }, 10000))
                    << c.name;
                target = r.wait_drawing();
            }
            PostMessageA(target, c.second.message, c.second.wparam, 0);
        });
        EXPECT_FALSE(run.had_to_close) << c.name << ": the renderer ran on";
        EXPECT_EQ(code, 1) << c.name;
        EXPECT_EQ(run.caption_gaps, 0) << c.name << ": no caption for " << run.longest_gap_ms << " ms";
    }
}

// Right after a display change the monitor may be gone for a moment: a
// set-up that fails then is tried again in a fresh window (a pixel format is
// set once per window) while the window there is stays, taking keys, for a
// few seconds before the program gives up with its error (exit code 0).
TEST(RendererWindow, AFailedSetUpAfterADisplayChangeIsTriedAgainForAFewSeconds) {
    struct Case {
        int failures;  // set-ups that fail after the change; -1: every one
        int code;
    } const cases[] = {{3, 1}, {-1, 0}};
    for (const Case& c : cases) {
        std::atomic<int> set_ups{0};
        std::atomic<bool> changed{false};
        std::atomic<int> fewest_windows{2};  // with the caption, as each try after the change starts
        renderer::RunOptions options;
        options.fail_set_up = [&]() -> const char* {
            if (changed) {
                int windows = 0;
                for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, contract::kRendererCaption); w;
                     w = FindWindowExA(nullptr, w, nullptr, contract::kRendererCaption))
                    ++windows;
                fewest_windows = std::min(fewest_windows.load(), windows);
            }
            const int after_change = changed ? set_ups++ : -1;
            return after_change >= 0 && (c.failures < 0 || after_change < c.failures) ? "ChoosePixelFormat" : nullptr;
        };
        RendererRun run;
        const DWORD start = GetTickCount();
        const int code = run.go(
            [&](RendererRun& r) {
                const HWND first = r.wait_drawing();
                changed = true;
                PostMessageA(first, WM_DISPLAYCHANGE, 24, 0);
                if (c.failures < 0)
                    return;  // it gives up by itself
                EXPECT_TRUE(RendererRun::wait_for([&] { return set_ups.load() > c.failures; }, 10000));
                r.wait_drawing();  // drawing again
                PostMessageA(RendererRun::window(), WM_KEYUP, VK_ESCAPE, 0);
            },
            options);
        EXPECT_FALSE(run.had_to_close) << c.failures;
        EXPECT_EQ(code, c.code) << c.failures;
        EXPECT_EQ(fewest_windows.load(), 2) << c.failures << ": a try without a window of its own beside the old";
        EXPECT_EQ(run.caption_gaps, 0) << c.failures << ": no caption for " << run.longest_gap_ms << " ms";
        if (c.failures < 0) {
            EXPECT_GE(set_ups.load(), 5) << "tried again only " << set_ups.load() << " times";
            EXPECT_GE(GetTickCount() - start, 5000u) << "gave up early";
        }
    }
}

// A power notice as the system sends it: the setting's GUID, then its value.
struct PowerNotice {
    POWERBROADCAST_SETTING header;
    BYTE rest[3];  // the value is a DWORD; the structure holds its first byte
};

PowerNotice notice(const GUID& setting, DWORD value) {
    PowerNotice n{};
    n.header.PowerSetting = setting;
    n.header.DataLength = sizeof value;
    std::memcpy(n.header.Data, &value, sizeof value);
    return n;
}

const GUID& kConsoleDisplayState = *win32::power_setting_guid(common::PowerSetting::ConsoleDisplay);
const GUID& kMonitorPowerOn = *win32::power_setting_guid(common::PowerSetting::MonitorPower);
const GUID& kBatterySaver = *win32::power_setting_guid(common::PowerSetting::BatterySaver);
const GUID& kEnergySaver = *win32::power_setting_guid(common::PowerSetting::EnergySaver);

void send(HWND window, const PowerNotice& n) {
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(&n));
}

double turned(float before, float after) {
    return std::fabs(std::remainder(static_cast<double>(after) - before, 360.0));
}

// A lost context (a driver reset) leaves every swap failing: after about a
// second the window and its context are made anew and the picture goes on
// where it was, with a window with the caption at every moment. A renderer
// that still cannot show a frame gives up after a few seconds, quietly, with
// exit code 0.
TEST(RendererWindow, ALostContextIsMadeAnewAndThePictureGoesOn) {
    const struct Case {
        const char* name;
        bool recovers;
        int code;
    } cases[] = {{"the driver comes back", true, 1}, {"the driver never comes back", false, 0}};
    for (const Case& c : cases) {
        std::atomic<bool> failing{false};
        renderer::RunOptions options;
        options.fail_swap = [&failing] { return failing.load(); };
        RendererRun run;
        std::size_t lost_at = 0;
        HWND first = nullptr;
        DWORD lost_tick = 0;
        const int code = run.go(
            [&](RendererRun& r) {
                first = r.wait_drawing();
                lost_at = r.frame_count();
                lost_tick = GetTickCount();
                failing = true;
                if (!c.recovers) {
                    // It gives up by itself, its last window gone with it.
                    EXPECT_TRUE(RendererRun::wait_for([] { return RendererRun::window() == nullptr; }, 30000))
                        << c.name;
                    return;
                }
                EXPECT_TRUE(RendererRun::wait_for(
                    [&] { return RendererRun::window() && RendererRun::window() != first; }, 10000))
                    << c.name << ": no new window";
                failing = false;
                r.wait_drawing();
                PostMessageA(RendererRun::window(), WM_KEYUP, VK_ESCAPE, 0);
            },
            options);
        EXPECT_FALSE(run.had_to_close) << c.name;
        EXPECT_EQ(code, c.code) << c.name;
        EXPECT_EQ(run.caption_gaps, 0) << c.name << ": no caption for " << run.longest_gap_ms << " ms";
        const std::vector<Frame> frames = run.frames();
        ASSERT_GT(frames.size(), lost_at + 1) << c.name;
        // The animation never started again: each step is an ordinary one.
        double largest_before = 0.0, largest_after = 0.0;
        for (std::size_t f = 1; f < frames.size(); ++f) {
            double& largest = f < lost_at ? largest_before : largest_after;
            largest = std::max(largest, turned(frames[f - 1].angle_x, frames[f].angle_x));
        }
        EXPECT_GT(largest_before, 0.0) << c.name;
        EXPECT_LE(largest_after, std::max(4.0 * largest_before, 5.0)) << c.name << ": the picture jumped";
        if (!c.recovers) {
            EXPECT_GE(GetTickCount() - lost_tick, 5000u) << c.name << ": gave up early";
        }
    }
}

// The start fades from the desktop only where the renderer's desktop is the
// input desktop; elsewhere (the idle timeout's own desktop, the lock
// screen's) nothing is captured and the run starts from black.
TEST(RendererWindow, TheStartFadesFromTheDesktopOnlyWhereItIsTheInputDesktop) {
    const struct Case {
        const char* name;
        std::function<std::optional<std::string>()> input_desktop;  // empty: the system's
        bool from_desktop;
    } cases[] = {
        {"this desktop has the input", {}, true},
        {"another desktop has it", [] { return std::optional<std::string>("Winlogon"); }, false},
        {"the input desktop cannot be opened", [] { return std::optional<std::string>(); }, false},
    };
    for (const Case& c : cases) {
        renderer::RunOptions options;
        options.input_desktop = c.input_desktop;
        RendererRun run;
        std::vector<Frame> frames;
        const int code = run.go(
            [&](RendererRun& r) {
                r.wait_drawing();
                frames = r.frames();
                PostMessageA(RendererRun::window(), WM_KEYUP, VK_ESCAPE, 0);
            },
            options);
        EXPECT_EQ(code, 1) << c.name;
        ASSERT_FALSE(frames.empty()) << c.name;
        EXPECT_EQ(frames.front().desktop_level > 0.0f, c.from_desktop) << c.name << ": the first frame's desktop";
        if (!c.from_desktop) {
            for (const Frame& f : frames)
                EXPECT_EQ(f.desktop_level, 0.0f) << c.name;
        }
    }
}

// A session notice as the system posts it: the event, then the session's id.
void session(HWND window, DWORD event) {
    SendMessageA(window, WM_WTSSESSION_CHANGE, event, 1);
}

// While nobody can see the picture (the display off, the session locked or
// its connection gone) nothing is drawn and the loop only waits for messages
// (keys still act); once it can be seen again, on or dimmed, unlocked or
// connected, the motion carries on from where it was at its last rate, with
// no jump. The display and the session each keep it hidden on their own.
TEST(RendererWindow, NothingDrawnWhileNobodySeesItAndNoJumpWhenItComesBack) {
    using Act = std::function<void(HWND)>;
    const Act display_off = [](HWND w) { send(w, notice(kConsoleDisplayState, 0)); };
    const Act display_on = [](HWND w) { send(w, notice(kConsoleDisplayState, 1)); };
    const struct Case {
        const char* name;
        std::vector<Act> hide;  // then, still hidden: the older monitor notice, a key release
        std::vector<Act> show;
    } cases[] = {
        {"the display off, then on", {display_off}, {display_on}},
        {"the session locked, then unlocked", {[](HWND w) { session(w, WTS_SESSION_LOCK); }}, {[](HWND w) {
             session(w, WTS_SESSION_UNLOCK);
         }}},
        {"another account at the console, then back",
         {[](HWND w) { session(w, WTS_CONSOLE_DISCONNECT); }},
         {[](HWND w) { session(w, WTS_CONSOLE_CONNECT); }}},
        {"a remote connection gone, then back", {[](HWND w) { session(w, WTS_REMOTE_DISCONNECT); }}, {[](HWND w) {
             session(w, WTS_REMOTE_CONNECT);
         }}},
        {"locked, then the lock screen's display off and on: still locked",
         {[](HWND w) { session(w, WTS_SESSION_LOCK); }, display_off, display_on},
         {[](HWND w) { session(w, WTS_SESSION_UNLOCK); }}},
    };
    for (const Case& c : cases) {
        RendererRun run;
        const int code = run.go([&](RendererRun& r) {
            const HWND window = r.wait_drawing();
            for (const Act& act : c.hide)
                act(window);
            const std::size_t dark_from = r.frame_count();
            const double cpu_before = r.thread_ms();
            const DWORD start = GetTickCount();
            // The older monitor notice says nothing once the console display's state is known.
            send(window, notice(kMonitorPowerOn, 1));
            SendMessageA(window, WM_KEYUP, VK_SPACE, 0);  // hides the frame-rate text
            while (GetTickCount() - start < 600)
                Sleep(20);
            const double dark_cpu = r.thread_ms() - cpu_before;
            EXPECT_EQ(r.frame_count(), dark_from) << c.name << ": frames were drawn while nobody saw them";
            EXPECT_LT(dark_cpu, 60.0) << c.name << ": processor time while hidden, ms";

            for (const Act& act : c.show)
                act(window);
            EXPECT_TRUE(RendererRun::wait_for([&] { return r.frame_count() > dark_from + 20; }, 10000)) << c.name;
            send(window, notice(kConsoleDisplayState, 2));  // dimmed: still shown
            const std::size_t dimmed_from = r.frame_count();
            EXPECT_TRUE(RendererRun::wait_for([&] { return r.frame_count() > dimmed_from + 10; }, 10000))
                << c.name << ": dimmed drew nothing";

            const std::vector<Frame> frames = r.frames();
            ASSERT_GT(frames.size(), dark_from + 1);
            double largest_before = 0.0;
            for (std::size_t f = 1; f < dark_from; ++f)
                largest_before = std::max(largest_before, turned(frames[f - 1].angle_x, frames[f].angle_x));
            const Frame& last_lit = frames[dark_from - 1];
            const Frame& first_back = frames[dark_from];
            EXPECT_GT(largest_before, 0.0);
            EXPECT_LE(turned(last_lit.angle_x, first_back.angle_x), largest_before * 1.01)
                << c.name << ": the motion jumped";
            EXPECT_EQ(first_back.fps, last_lit.fps) << c.name << ": the last rate is kept";
            EXPECT_TRUE(last_lit.show_fps);
            EXPECT_FALSE(first_back.show_fps) << c.name << ": the key released while hidden did not act";
            PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
        });
        EXPECT_FALSE(run.had_to_close) << c.name;
        EXPECT_EQ(code, 1) << c.name;
    }
}

// A laptop's battery saver, or Windows 11's energy saver: the loop keeps to
// the modest rate while either is on, and goes back to the refresh rate only
// once both are off.
TEST(RendererWindow, PowerSaversHoldTheLoopToTheModestRate) {
    const struct Step {
        const GUID* setting;
        DWORD value;
        bool modest;
    } steps[] = {
        {&kBatterySaver, 1, true}, {&kEnergySaver, 2, true}, {&kBatterySaver, 0, true},
        {&kEnergySaver, 0, false}, {&kEnergySaver, 1, true}, {&kEnergySaver, 0, false},
    };
    RendererRun run;
    const int code = run.go([&](RendererRun& r) {
        const HWND window = r.wait_drawing();
        // Frames a second, counted over half a second once the new rate holds.
        auto rate = [&r] {
            Sleep(150);
            const std::size_t from = r.frame_count();
            const DWORD start = GetTickCount();
            Sleep(500);
            return static_cast<double>(r.frame_count() - from) * 1000.0 / (GetTickCount() - start);
        };
        // The decision is the pacer's own ("capped" while a saver is on). A
        // busy machine draws fewer frames, never more: the modest rate shows
        // as a ceiling, while the refresh rate may be out of reach (a loaded
        // machine was seen drawing 10 frames a second uncapped), so only
        // scripts/bench-renderer's figures tell how fast the loop can go.
        EXPECT_NE(r.last_pacing(), "capped") << "before any saver";
        for (const Step& step : steps) {
            send(window, notice(*step.setting, step.value));
            const double fps = rate();
            const std::string pacing = r.last_pacing();
            const char* which = step.setting == &kBatterySaver ? "battery " : "energy ";
            if (step.modest) {
                EXPECT_EQ(pacing, "capped") << which << step.value;
                EXPECT_LT(fps, 35.0) << which << step.value << ": " << fps << " fps";
            } else {
                EXPECT_NE(pacing, "capped") << which << step.value << ": " << fps << " fps";
            }
        }
        PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
    });
    EXPECT_FALSE(run.had_to_close);
    EXPECT_EQ(code, 1);
}

}  // namespace
