#include "renderer/scene/stopwatch.h"

namespace scene {

float stopwatch_elapsed(Stopwatch& stopwatch, bool restart, TickCounter& counter) {
    const std::int64_t now = counter.ticks();
    float elapsed = 0.0f;
    if (stopwatch.frequency != 0)
        elapsed =
            static_cast<float>(static_cast<double>(now - stopwatch.start) / static_cast<double>(stopwatch.frequency));
    if (restart) {
        stopwatch.frequency = counter.ticks_per_second();
        stopwatch.start = counter.ticks();
    }
    return elapsed;
}

}  // namespace scene
