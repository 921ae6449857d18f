// Every monitor's picture for the whole run, kept through Tab and display
// changes: a monitor unplugged and plugged in again carries on where it was.
// The primary's picture is the one a single monitor shows; each other
// monitor's has its own start values and its own random stream, so that
// however many monitors there are, the primary's picture is the same frame
// for frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "renderer/scene/scene_state.h"

namespace renderer {

class MonitorPictures {
public:
    // The primary's picture from `seed` (the time at the start of the run).
    explicit MonitorPictures(std::uint32_t seed);
    MonitorPictures(const MonitorPictures&) = delete;
    MonitorPictures& operator=(const MonitorPictures&) = delete;

    scene::Picture& primary() { return *primary_; }

    // The picture of the monitor the system calls `device`, other than the
    // primary; made now when it is new. It stays where it is for the run.
    scene::Picture& of(const std::string& device);

    std::size_t others() const { return others_.size(); }

private:
    struct Other {
        std::string device;
        std::unique_ptr<scene::Picture> picture;
    };
    std::uint32_t seed_;
    std::unique_ptr<scene::Picture> primary_;
    std::vector<Other> others_;
};

// The seed of the stream of the `n`th other monitor (1, 2, ...) of a run
// seeded with `run_seed`: scrambled, since the runtime's generator started
// from neighbouring seeds gives nearly the same first numbers.
std::uint32_t other_monitor_seed(std::uint32_t run_seed, std::uint32_t n);

}  // namespace renderer
