// Times the processor's share of a frame on the host: the animation step,
// colours, frame-rate text and frame count, exactly as the renderer runs them
// per frame, with the frame rate held at a steady 60 (so the text is formatted
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
    scene::CrtRandom random(12345);
    SteadyCounter counter;
    scene::SceneState state = scene::gl_data(random);
    scene::restart_frame_rate(state, counter);
    state.fps = 60.0f;
    unsigned checksum = 0;  // keeps the work from being optimised away
    const auto start = std::chrono::steady_clock::now();
    for (long f = 0; f < frames; ++f) {
        const scene::FramePlan plan = scene::plan_frame(state, random, 1280, 1024);
        checksum += static_cast<unsigned>(plan.text.length) + static_cast<unsigned>(plan.spheres[0].red * 255.0f);
        counter.frame();
        scene::count_frame(state, counter);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("scene step: %.0f ns per frame over %ld frames (checksum %u)\n", seconds * 1e9 / frames, frames,
                checksum);
    return 0;
}
