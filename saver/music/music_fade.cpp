#include "saver/music/music_fade.h"

#include <cmath>

namespace music {

double fade_in_gain(std::uint32_t elapsed_ms) {
    if (elapsed_ms >= kFadeInMs) {
        return 1.0;
    }
    const double fraction = static_cast<double>(elapsed_ms) / kFadeInMs;
    return fraction * fraction * fraction;
}

int mci_volume_for(double gain) {
    return static_cast<int>(std::lround(1000.0 * gain));
}

}  // namespace music
