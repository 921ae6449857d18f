#include "saver/music/music_fade.h"

#include <gtest/gtest.h>

using namespace music;

namespace {

// The levels against time: silent at the start, barely there after the
// desktop's second, full at three seconds and after.
TEST(MusicFade, LevelsAgainstTime) {
    const struct {
        std::uint32_t elapsed_ms;
        int mci_volume;
    } cases[] = {
        {0, 0}, {50, 0}, {1000, 37}, {1500, 125}, {2000, 296}, {2999, 999}, {3000, 1000}, {60000, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.elapsed_ms);
        EXPECT_EQ(mci_volume_for(fade_in_gain(c.elapsed_ms)), c.mci_volume);
    }
}

}  // namespace
