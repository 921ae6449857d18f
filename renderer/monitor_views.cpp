#include "renderer/monitor_views.h"

namespace renderer {

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
