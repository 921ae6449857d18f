// The animation of the spheres: each monitor's picture (its spheres and the
// random stream they draw from), which lives for the whole run (it survives
// every re-creation of the window), its start values, the per-frame step, the
// colours, and the frame-rate measurement the step is scaled by. Time and
// random numbers come in as inputs.
#pragma once

#include <cstdint>

#include "renderer/scene/crt_random.h"
#include "renderer/scene/overlay_text.h"
#include "renderer/scene/stopwatch.h"

namespace scene {

constexpr int kSphereCount = 2;
constexpr int kChannelCount = 3;  // red, green, blue

struct SphereState {
    float colour_phase[kChannelCount] = {};  // radians, kept in [0, 2 pi) by every step
    float phase_step[kChannelCount] = {};    // radians per second: -1, 0 or +1
    float angle_x = 0.0f;                    // degrees, kept in [0, 360) by every step
    float angle_y = 0.0f;                    // as angle_x
    float spin_x = 0.0f;                     // degrees per second: -20 or +20, fixed for the run
    float spin_y = 0.0f;                     // as spin_x
};

// One monitor's picture: its two spheres and the stream their start values
// and colour changes draw from. A stream of its own for each monitor keeps
// one monitor's picture from changing another's.
struct Picture {
    SphereState spheres[kSphereCount];
    CrtRandom random;
};

// The measured frame rate that every picture's motion is scaled by, and the
// frame-rate text: one for the run, whatever the monitors.
struct FrameRate {
    float fps = 0.0f;     // frames per second last measured; 0 = not measured since the last resize
    int frame_count = 0;  // frames since the last measurement
    bool show_fps = true;
    Stopwatch fps_timer;
    float last_count_at = 0.0f;  // seconds into the current reading at which the last frame was counted
    float frame_seconds = 0.0f;  // the last frame's time not judged a stall; 0 = none yet
};

// A picture for the whole run: its stream seeded with `seed` (the primary's
// with the time, so that it is the picture a single monitor shows), then its
// start values drawn from it (draw_start_values).
Picture gl_data(std::uint32_t seed);

// The start values of a pair of spheres, drawing ten random numbers per
// sphere (sphere 0 first): for each channel the phase step then the colour
// phase; then angle_x, angle_y, spin_x, spin_y.
void draw_start_values(SphereState (&spheres)[kSphereCount], RandomSource& random);

// Divisor of the per-frame direction-change test: fps * 8 truncated, at least
// 1 (below 0.125 frames per second every frame changes direction).
int direction_change_divisor(float fps);

// One frame's motion at the measured frame rate `fps`, so that speeds are per
// second. Nothing moves and nothing is drawn from `random` while fps is 0.
// Angles and phases are wrapped after the step: a single-precision value that
// kept growing would lose each frame's small step after hours (the spheres
// would stop), while rotation and sine are periodic, so the picture is the same.
void advance_spheres(SphereState (&spheres)[kSphereCount], float fps, RandomSource& random);

// `value` brought into [0, period) by whole periods (period > 0).
float wrap_to_period(float value, double period);

// Brightness of one channel for a colour phase: (1 + sin)^2 / 2, 0..2; GL
// clamps values above 1 to full intensity.
float channel_intensity(float colour_phase);

// The same formula in double precision, before the rounding to a float.
double channel_brightness(double colour_phase);

// After every size change: no frame-rate reading (and so no motion and no
// text) until 0.2 s have passed.
void restart_frame_rate(FrameRate& rate, TickCounter& counter);

// Starts a new reading but keeps the last rate, so the motion carries on at
// its speed: after a stall that the system announces (resume from standby).
void restart_reading(FrameRate& rate, TickCounter& counter);

// A frame spans a stall (standby, a debugger, a hung driver) when it took
// longer than kStalledReading and longer than kStallPaces times the frames'
// own pace: the counter kept counting, and a few frames divided by that time
// would make every later frame jump and re-roll its colour directions. Judged
// against the pace, a machine that draws a frame every two seconds still
// moves, while an hour's sleep between two of its frames is still a stall.
constexpr float kStalledReading = 1.0f;  // seconds
constexpr float kStallPaces = 4.0f;

// Whether a frame that took `frame_seconds` spans a stall, for frames that
// come every `pace_seconds` (0: the pace is not known yet).
bool spans_stall(float frame_seconds, float pace_seconds);

// Counts a finished frame; at least every 0.2 s turns the count into a new
// frame rate, unless the frame spans a stall: then the reading starts again
// and the last rate stays. The pace is the last rate, or while there is none
// (after a resize) the last frame's time.
void count_frame(FrameRate& rate, TickCounter& counter);

// What a sphere looks like in one frame.
struct SphereDraw {
    float red = 0.0f, green = 0.0f, blue = 0.0f;  // 0..2, see channel_intensity
    float angle_x = 0.0f, angle_y = 0.0f;         // degrees
};

// What a pair of spheres looks like now: colours and angles.
void plan_spheres(const SphereState (&spheres)[kSphereCount], SphereDraw (&draws)[kSphereCount]);

constexpr int kTextFromRight = 114;  // pixels from the client area's right edge
constexpr int kTextFromTop = 40;     // pixels from its top edge to the baseline

// The frame-rate text of a frame, in the pixels of a view of width x height
// with the origin bottom-left.
struct FrameRateText {
    bool show = false;  // a rate is measured and the text is switched on
    int x = 0, y = 0;   // raster position
    OverlayText text;
};

FrameRateText plan_fps_text(const FrameRate& rate, int width, int height);

}  // namespace scene
