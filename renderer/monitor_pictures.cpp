#include "renderer/monitor_pictures.h"

namespace renderer {

MonitorPictures::MonitorPictures(std::uint32_t seed)
    : seed_(seed), primary_(std::make_unique<scene::Picture>(scene::gl_data(seed))) {}

scene::Picture& MonitorPictures::of(const std::string& device) {
    for (const Other& other : others_) {
        if (other.device == device)
            return *other.picture;
    }
    const auto n = static_cast<std::uint32_t>(others_.size() + 1);
    others_.push_back({device, std::make_unique<scene::Picture>(scene::gl_data(other_monitor_seed(seed_, n)))});
    return *others_.back().picture;
}

// MurmurHash3's finaliser over the run's seed and the monitor's number.
std::uint32_t other_monitor_seed(std::uint32_t run_seed, std::uint32_t n) {
    std::uint32_t h = run_seed ^ (n * 0x9E3779B9u);
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

std::vector<View> views_of(const std::vector<MonitorView>& places, MonitorPictures& pictures) {
    std::vector<View> views;
    if (places.empty()) {
        MonitorView whole;
        whole.primary = true;
        views.push_back({whole, &pictures.primary(), {}});
    }
    for (const MonitorView& place : places)
        views.push_back({place, place.primary ? &pictures.primary() : &pictures.of(place.device), {}});
    return views;
}

void fit_views(std::vector<View>& views, int width, int height) {
    if (views.size() != 1)
        return;
    MonitorView& place = views.front().place;
    place.x = 0;
    place.y = 0;
    place.width = width;
    place.height = height;
}

void advance_views(std::vector<View>& views, float fps) {
    for (View& view : views) {
        scene::Picture& picture = *view.picture;
        scene::advance_spheres(picture.spheres, fps, picture.random);
        scene::plan_spheres(picture.spheres, view.spheres);
    }
}

}  // namespace renderer
