// The pictures of the monitors beside the primary (whose spheres live in the
// scene's own state): each its own pair of spheres, with start values drawn
// the first time its monitor is seen, after the primary's, so the primary's
// picture is the one a single monitor shows. They live for the whole run,
// through Tab and display changes: a monitor unplugged and plugged in again
// carries on where it was.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "renderer/scene/scene_state.h"

namespace renderer {

class MonitorScenes {
public:
    // The spheres of the monitor the system calls `device`; made now, from
    // `random`, when it is new. The pair stays where it is for the run.
    scene::SpherePair& of(const std::string& device, scene::RandomSource& random);

    std::size_t size() const { return scenes_.size(); }

private:
    struct Entry {
        std::string device;
        std::unique_ptr<scene::SpherePair> spheres;
    };
    std::vector<Entry> scenes_;
};

}  // namespace renderer
