#include "renderer/loop_state.h"

#include <gtest/gtest.h>

namespace {

using renderer::LoopEnd;

TEST(LoopState, TheStrongestReasonEndsTheLoopWhateverTheOrder) {
    struct Case {
        LoopEnd first, second, ends;
    } const cases[] = {
        {LoopEnd::Recreate, LoopEnd::Quit, LoopEnd::Quit},              // display change, then Esc
        {LoopEnd::Quit, LoopEnd::Recreate, LoopEnd::Quit},              // Esc, then display change
        {LoopEnd::Recreate, LoopEnd::SwitchMode, LoopEnd::SwitchMode},  // Tab wins over the display change
        {LoopEnd::SwitchMode, LoopEnd::Recreate, LoopEnd::SwitchMode},
        {LoopEnd::SwitchMode, LoopEnd::Quit, LoopEnd::Quit},
        {LoopEnd::None, LoopEnd::Recreate, LoopEnd::Recreate},
        {LoopEnd::Quit, LoopEnd::None, LoopEnd::Quit},
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::stronger(c.first, c.second), c.ends);
}

}  // namespace
