#include "renderer/monitor_scenes.h"

namespace renderer {

scene::SpherePair& MonitorScenes::of(const std::string& device, scene::RandomSource& random) {
    for (const Entry& entry : scenes_) {
        if (entry.device == device)
            return *entry.spheres;
    }
    auto spheres = std::make_unique<scene::SpherePair>();
    scene::draw_start_values(spheres->spheres, random);
    scenes_.push_back({device, std::move(spheres)});
    return *scenes_.back().spheres;
}

}  // namespace renderer
