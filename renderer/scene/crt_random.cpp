#include "renderer/scene/crt_random.h"

namespace scene {

int CrtRandom::next() {
    seed_ = seed_ * 214013u + 2531011u;  // wraps modulo 2^32, as the runtime's does
    return static_cast<int>((seed_ >> 16) & 0x7fffu);
}

}  // namespace scene
