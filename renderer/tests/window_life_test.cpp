#include "renderer/window_life.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using renderer::LoopEnd;
using renderer::NextStep;
using renderer::WindowLife;

TEST(WindowLife, TheStrongestReasonEndsTheLoopWhateverTheOrder) {
    struct Case {
        LoopEnd first, second, ends;
    } const cases[] = {
        {LoopEnd::DisplaySettled, LoopEnd::Quit, LoopEnd::Quit},  // display change, then Esc
        {LoopEnd::Quit, LoopEnd::DisplaySettled, LoopEnd::Quit},
        {LoopEnd::DisplaySettled, LoopEnd::SwitchMode,
         LoopEnd::SwitchMode},  // Tab's window is made for the new display
        {LoopEnd::SwitchMode, LoopEnd::RetryDue, LoopEnd::SwitchMode},
        {LoopEnd::RetryDue, LoopEnd::DisplaySettled, LoopEnd::DisplaySettled},
        {LoopEnd::RetryDue, LoopEnd::Quit, LoopEnd::Quit},
        {LoopEnd::ContextLost, LoopEnd::Quit, LoopEnd::Quit},  // Esc wins over a lost context
        {LoopEnd::DisplaySettled, LoopEnd::ContextLost, LoopEnd::ContextLost},
        {LoopEnd::ContextLost, LoopEnd::SwitchMode, LoopEnd::SwitchMode},
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::stronger(c.first, c.second), c.ends);
}

// What happens to the run's windows, in order, and what the run does next.
struct Event {
    double at;                // seconds
    LoopEnd loop_end;         // the current window's loop ended for this reason...
    const char* failed_step;  // ...or, when given, the window asked for could not be made
    bool has_window;          // an earlier window still stands
    NextStep next;
    bool full_screen;                   // the mode of the window to make next
    bool drew = false;                  // instead: the current window showed a frame
    const char* gives_up_at = nullptr;  // the step reported when the program gives up
};

Event ended(double at, LoopEnd why, NextStep next, bool full_screen) {
    return {at, why, nullptr, true, next, full_screen};
}
Event failed(double at, NextStep next, bool full_screen, bool has_window = true) {
    return {at, LoopEnd::Quit, "SetPixelFormat", has_window, next, full_screen, false, "SetPixelFormat"};
}
Event lost(double at, NextStep next) {
    return {at, LoopEnd::ContextLost, nullptr, true, next, true, false, "SwapBuffers"};
}
Event drew(double at) {
    return {at, LoopEnd::Quit, nullptr, true, NextStep::MakeWindow, true, true};
}

TEST(WindowLife, WhatComesAfterAWindowEndsOrCannotBeMade) {
    constexpr auto Make = NextStep::MakeWindow;
    constexpr auto Wait = NextStep::WaitToRetry;
    constexpr auto GiveUp = NextStep::GiveUp;
    struct Case {
        const char* name;
        std::vector<Event> events;
    } const cases[] = {
        {"Tab switches the mode both ways; Esc quits",
         {ended(1, LoopEnd::SwitchMode, Make, false), ended(2, LoopEnd::SwitchMode, Make, true),
          ended(3, LoopEnd::Quit, NextStep::Quit, true)}},
        {"the first window cannot be made: the program gives up at once", {failed(0, GiveUp, true, false)}},
        {"a Tab's window cannot be made: no display change, so it gives up",
         {ended(1, LoopEnd::SwitchMode, Make, false), failed(1, GiveUp, false)}},
        {"after a display change a failed set-up keeps the window and is tried again for 5 s",
         {ended(10, LoopEnd::DisplaySettled, Make, true), failed(10, Wait, true),
          ended(10.5, LoopEnd::RetryDue, Make, true), failed(14.9, Wait, true),
          ended(15, LoopEnd::RetryDue, Make, true), failed(15, GiveUp, true)}},
        {"a retry that works ends the recovery only by time: a later failure within it waits again",
         {ended(10, LoopEnd::DisplaySettled, Make, true), failed(10, Wait, true),
          ended(10.5, LoopEnd::RetryDue, Make, true), ended(12, LoopEnd::SwitchMode, Make, false),
          failed(12, Wait, false)}},
        {"every settled display change gives the monitors the whole time again",
         {ended(10, LoopEnd::DisplaySettled, Make, true), failed(10, Wait, true),
          ended(14, LoopEnd::DisplaySettled, Make, true), failed(18.5, Wait, true), failed(19.1, GiveUp, true)}},
        {"Tab while waiting: the other mode is tried, and retried in that mode",
         {ended(10, LoopEnd::DisplaySettled, Make, true), failed(10, Wait, true),
          ended(11, LoopEnd::SwitchMode, Make, false), failed(11, Wait, false),
          ended(11.5, LoopEnd::RetryDue, Make, false)}},
        {"Esc while waiting quits",
         {ended(10, LoopEnd::DisplaySettled, Make, true), failed(10, Wait, true),
          ended(10.2, LoopEnd::Quit, NextStep::Quit, true)}},
        {"no window left to keep: it gives up even within the recovery time",
         {ended(10, LoopEnd::DisplaySettled, Make, true), failed(10, GiveUp, true, false)}},
        {"a lost context is made anew in a window of its own, and its set-up may fail for a while",
         {lost(10, Make), failed(10, Wait, true), ended(10.5, LoopEnd::RetryDue, Make, true), drew(11)}},
        {"contexts lost again and again with no frame shown: it gives up after 5 s",
         {lost(10, Make), lost(11.5, Make), lost(13, Make), lost(14.9, Make), lost(15, GiveUp)}},
        {"a frame shown between two losses starts the count again",
         {lost(10, Make), drew(11), lost(100, Make), lost(104, Make), drew(104.5), lost(200, Make)}},
    };
    for (const Case& c : cases) {
        WindowLife life;
        EXPECT_EQ(life.start(), Make) << c.name;
        EXPECT_TRUE(life.full_screen()) << c.name << ": the run starts full screen";
        for (std::size_t e = 0; e < c.events.size(); ++e) {
            const Event& event = c.events[e];
            if (event.drew) {
                life.window_drew();
                continue;
            }
            const NextStep next = event.failed_step ? life.set_up_failed(event.failed_step, event.at, event.has_window)
                                                    : life.loop_ended(event.loop_end, event.at);
            EXPECT_EQ(next, event.next) << c.name << ", event " << e;
            EXPECT_EQ(life.full_screen(), event.full_screen) << c.name << ", event " << e;
            if (next == GiveUp) {
                EXPECT_STREQ(life.failed_step(), event.gives_up_at) << c.name;
            }
        }
    }
}

TEST(ContextWatch, LostOnlyWhenSwapsKeepFailingForASecond) {
    struct Swap {
        double at;
        bool shown, lost;
    };
    const struct Case {
        const char* name;
        std::vector<Swap> swaps;
    } cases[] = {
        {"swaps that show", {{0, true, false}, {0.5, true, false}, {5, true, false}}},
        {"a failure or two pass",
         {{0, false, false}, {0.016, false, false}, {0.033, true, false}, {1.2, false, false}}},
        {"failing for a second", {{0, false, false}, {0.5, false, false}, {0.999, false, false}, {1.0, false, true}}},
        {"a swap that shows starts the count again",
         {{0, false, false}, {0.9, true, false}, {1.5, false, false}, {2.4, false, false}, {2.5, false, true}}},
    };
    for (const Case& c : cases) {
        renderer::ContextWatch watch;
        for (const Swap& swap : c.swaps)
            EXPECT_EQ(watch.swapped(swap.shown, swap.at), swap.lost) << c.name << " at " << swap.at;
    }
}

}  // namespace
