#include "renderer/loop_state.h"

namespace renderer {

LoopEnd stronger(LoopEnd a, LoopEnd b) {
    return static_cast<int>(a) >= static_cast<int>(b) ? a : b;
}

}  // namespace renderer
