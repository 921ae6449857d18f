// What lasts the renderer's whole run, across every window, and each window
// uses in turn: the GL table, the clock, the animation (the frame rate and
// every monitor's picture), the power notices' state, the start's fade and
// the message loop.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/power_settings.h"
#include "renderer/monitor_pictures.h"
#include "renderer/scene/scene_state.h"
#include "renderer/start_fade.h"
#include "renderer/win32/frame_loop.h"
#include "renderer/win32/gl/gl_api.h"
#include "renderer/win32/pacing/performance_counter.h"
#include "renderer/win32/run_options.h"

namespace renderer {

struct RunParts {
    // `seed`: the random numbers' for the run, the time at its start.
    RunParts(HINSTANCE instance, const RunOptions& options, std::uint32_t seed)
        : instance(instance), options(options), pictures(seed), loop(gl, counter, options.pace, options.stats) {}
    RunParts(const RunParts&) = delete;
    RunParts& operator=(const RunParts&) = delete;

    // Seconds of the performance counter.
    double now() { return static_cast<double>(counter.ticks()) / static_cast<double>(counter.ticks_per_second()); }

    HINSTANCE instance;
    RunOptions options;
    GlApi gl;  // loaded once, before the first window
    PerformanceCounter counter;
    scene::FrameRate frame_rate;         // scales every picture's motion; its text shows on the primary
    MonitorPictures pictures;            // the primary's from gl_data, the others' as their monitors are first seen
    common::DisplayPower display_power;  // a new window starts dark if the display is off
    common::PowerSavers power_savers;    // the loop keeps to the modest rate while one is on
    bool first_window = true;            // a full-screen first window fades in (start_fade.h)
    StartFade fade;                      // ended by whatever ends its window's loop, or the display going off
    FrameLoop loop;
};

}  // namespace renderer
