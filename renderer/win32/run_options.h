// What the benchmark and the tests change in a run of the renderer: the
// shipped program (run.h) takes none of it.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "renderer/frame_timing.h"
#include "renderer/scene/scene_state.h"
#include "renderer/start_fade.h"

namespace renderer {

struct RunOptions {
    FrameStats* stats = nullptr;  // where the frame times go
    bool pace = true;             // false: draw as fast as the loop allows, for the unpaced throughput
    // Called after every frame drawn with the primary's picture, the frame
    // rate and the start's fade levels: the tests' window on the motion.
    std::function<void(const scene::Picture& primary, const scene::FrameRate& rate, const FadeLevels& levels)> on_frame;
    // Stands for the input desktop's name (desktop_capture.h): another
    // desktop than the renderer's has the input, or none can be opened.
    std::function<std::optional<std::string>()> input_desktop;
    // Asked at every swap: true makes it count as failed, as with a lost
    // context.
    std::function<bool()> fail_swap;
    // Asked at the start of every window's set-up: a step name makes the
    // set-up fail there, as when the monitor is gone for a moment.
    std::function<const char*()> fail_set_up;
};

// The program, as run_renderer (run.h), with `options`.
int run_renderer(HINSTANCE instance, int show_command, const RunOptions& options);

}  // namespace renderer
