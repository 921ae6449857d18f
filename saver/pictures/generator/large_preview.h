// The larger preview still: the same view as the 152 x 112 one, rendered at
// twice its size, from which the front end reduces the still on a scaled
// display (saver/shared/preview_still.h).
#pragma once

#include "renderer/scene/scene_view.h"
#include "saver/pictures/generator/sphere_picture.h"
#include "saver/shared/preview_still.h"

namespace pictures {

inline View large_preview_view() {
    View view;
    view.width = shared::kPreviewStillWidth * shared::kLargeStillScale;
    view.height = shared::kPreviewStillHeight * shared::kLargeStillScale;
    view.fovy_deg = scene::kFieldOfView;
    view.samples = 4;
    return view;
}

}  // namespace pictures
