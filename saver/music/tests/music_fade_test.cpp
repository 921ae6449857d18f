#include "saver/music/music_fade.h"

#include <gtest/gtest.h>

using namespace music;

namespace {

// The levels against time: silent at the start, barely there after the
// desktop's second, full at three seconds and after; the wave output rises to
// the level it had, each channel alike (here the left at full, the right at
// half).
TEST(MusicFade, LevelsAgainstTime) {
    const struct {
        std::uint32_t elapsed_ms;
        int mci_volume;
        std::uint32_t wave_volume;
    } cases[] = {
        {0, 0, 0x00000000},      {50, 0, 0x00000000},     {1000, 37, 0x04BE097B},   {1500, 125, 0x10002000},
        {2000, 296, 0x25ED4BDA}, {2999, 999, 0x7FDFFFBD}, {3000, 1000, 0x8000FFFF}, {60000, 1000, 0x8000FFFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elapsed_ms);
        const double gain = fade_in_gain(c.elapsed_ms);
        EXPECT_EQ(mci_volume_for(gain), c.mci_volume);
        EXPECT_EQ(wave_volume_for(gain, 0x8000FFFF), c.wave_volume);
    }
}

}  // namespace
