#include "renderer/scene/crt_random.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CrtRandom, FollowsTheRuntimeSequenceForSeedOne) {
    // The first values of the Windows runtime's rand() after srand(1).
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    scene::CrtRandom random(1);
    for (int value : expected)
        EXPECT_EQ(random.next(), value);
}

TEST(CrtRandom, ReseedingRestartsTheSequenceAndValuesStayInRange) {
    scene::CrtRandom random(0x12345678u);
    int first[100];
    for (int& value : first) {
        value = random.next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, scene::kRandMax);
    }
    random.seed(0x12345678u);
    for (int value : first)
        EXPECT_EQ(random.next(), value);
}

#if defined(_WIN32)
// Under Windows (or Wine) the runtime's own rand() is at hand to compare with.
TEST(CrtRandom, MatchesTheRuntimeRand) {
    for (unsigned seed : {0u, 1u, 1700000000u, 0xFFFFFFFFu}) {
        std::srand(seed);
        scene::CrtRandom random(seed);
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << " draw " << i;
    }
}
#endif

}  // namespace
