// Times the processor's share of a frame on the host: one monitor's
// animation step and colours, the frame-rate text and frame count, as the
// renderer runs them per frame, with the frame rate held at a steady 60 (so the text is formatted
// and the direction test runs every frame). Prints nanoseconds per frame.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "renderer/scene/scene_state.h"

namespace {

// Advances by a 60th of a second per frame at a 10 MHz tick rate.
class SteadyCounter final : public scene::TickCounter {
public:
    std::int64_t ticks() override { return now_; }
    std::int64_t ticks_per_second() override { return 10'000'000; }
    void frame() { now_ += 10'000'000 / 60; }

private:
    std::int64_t now_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::atol(argv[1]) : 2'000'000;
    SteadyCounter counter;
    scene::Picture picture = scene::gl_data(12345);
    scene::FrameRate rate;
    scene::restart_frame_rate(rate, counter);
    rate.fps = 60.0f;
    unsigned checksum = 0;  // keeps the work from being optimised away
    const auto start = std::chrono::steady_clock::now();
    for (long f = 0; f < frames; ++f) {
        scene::advance_spheres(picture.spheres, rate.fps, picture.random);
        scene::SphereDraw spheres[scene::kSphereCount];
        scene::plan_spheres(picture.spheres, spheres);
        const scene::FrameRateText text = scene::plan_fps_text(rate, 1280, 1024);
        checksum += static_cast<unsigned>(text.text.length) + static_cast<unsigned>(spheres[0].red * 255.0f);
        counter.frame();
        scene::count_frame(rate, counter);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("scene step: %.0f ns per frame over %ld frames (checksum %u)\n", seconds * 1e9 / frames, frames,
                checksum);
    return 0;
}
