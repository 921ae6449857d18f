// Random numbers as the Windows C runtime's rand() makes them, so the scene
// draws the same sequence natively (tests) and in the shipped program.
#pragma once

#include <cstdint>

namespace scene {

constexpr int kRandMax = 32767;  // largest value next() returns

// Where the scene takes its random numbers from; tests script it.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int next() = 0;  // 0..kRandMax
};

// The runtime's linear congruential generator: seed = seed * 214013 + 2531011,
// result = bits 16..30 of the new seed. Seeding with s is srand(s).
class CrtRandom final : public RandomSource {
public:
    explicit CrtRandom(std::uint32_t seed = 1) : seed_(seed) {}
    void seed(std::uint32_t seed) { seed_ = seed; }
    int next() override;

private:
    std::uint32_t seed_;
};

}  // namespace scene
