// The renderer's clock: the system's high-resolution performance counter.
#pragma once

#include <windows.h>

#include "renderer/scene/stopwatch.h"

namespace renderer {

class PerformanceCounter final : public scene::TickCounter {
public:
    std::int64_t ticks() override {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    std::int64_t ticks_per_second() override {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }
};

}  // namespace renderer
