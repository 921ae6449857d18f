// The renderer program: its window (full screen, then 1024 x 768 framed on
// every Tab release; full screen made anew when the display changes), pixel
// format and context, message loop paced to the display, and keys.
#pragma once

#include <windows.h>

#include <cstdint>

namespace renderer {

// Where the frame time goes, for the benchmark build; the shipped program
// passes none. Performance-counter ticks, summed over frames.
struct FrameStats {
    std::int64_t frames = 0;
    std::int64_t cpu_ticks = 0;       // animation step, colours, text, frame-rate count
    std::int64_t gl_ticks = 0;        // GL calls up to glFinish, and SwapBuffers
    std::int64_t loop_ticks = 0;      // from one frame's start to the next (the whole loop)
    double loop_ticks_squared = 0.0;  // sum of the squares of those, for the frame times' spread
    const char* pacing = "";          // who holds the loop to the display: "driver", "self/...", "unpaced"
    double refresh_hz = 0.0;          // the monitor's, as the loop paces to it
};

// What the benchmark build changes; the shipped program takes the defaults.
struct BenchOptions {
    FrameStats* stats = nullptr;  // where the frame times go
    bool cover_monitors = true;   // false: leave the other monitors bare, to time the covers' cost
    bool pace = true;             // false: draw as fast as the loop allows, for the unpaced throughput
};

// The program: returns its exit code (1 after Esc or a close request, 0 when
// a set-up step failed). Set-up failures show nothing.
int run_renderer(HINSTANCE instance, int show_command, const BenchOptions& bench = {});

}  // namespace renderer
