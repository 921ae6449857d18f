// A stopwatch over a high-resolution tick counter (the performance counter on
// Windows); the counter is an interface so tests can script its readings.
#pragma once

#include <cstdint>

namespace scene {

class TickCounter {
public:
    virtual ~TickCounter() = default;
    virtual std::int64_t ticks() = 0;             // current reading
    virtual std::int64_t ticks_per_second() = 0;  // > 0
};

struct Stopwatch {
    std::int64_t start = 0;      // ticks at the last restart
    std::int64_t frequency = 0;  // ticks per second taken at the last restart; 0 = never restarted
};

// Seconds since the stopwatch's last restart (0 when it was never restarted),
// rounded to single precision. Reads the counter once; with `restart` the
// stopwatch then starts again from a second, fresh reading.
float stopwatch_elapsed(Stopwatch& stopwatch, bool restart, TickCounter& counter);

}  // namespace scene
