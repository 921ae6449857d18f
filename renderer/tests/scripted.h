// Scripted stand-ins for the scene's inputs: random numbers and counter
// readings come from a list, and running past its end fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "renderer/scene/crt_random.h"
#include "renderer/scene/stopwatch.h"

namespace scene_test {

class ScriptedRandom final : public scene::RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int next() override {
        if (used_ >= values_.size()) {
            ADD_FAILURE() << "more random numbers drawn than scripted (" << values_.size() << ")";
            return 1;
        }
        return values_[used_++];
    }
    std::size_t used() const { return used_; }

private:
    std::vector<int> values_;
    std::size_t used_ = 0;
};

// Reads `now`, which then moves on by `step_per_read` ticks.
class ScriptedCounter final : public scene::TickCounter {
public:
    explicit ScriptedCounter(std::int64_t frequency) : frequency_(frequency) {}
    std::int64_t ticks() override {
        ++reads;
        const std::int64_t reading = now;
        now += step_per_read;
        return reading;
    }
    std::int64_t ticks_per_second() override { return frequency_; }

    std::int64_t now = 0;
    std::int64_t step_per_read = 0;
    int reads = 0;

private:
    std::int64_t frequency_;
};

}  // namespace scene_test
