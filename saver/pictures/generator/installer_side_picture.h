// The side picture of the installer's welcome and finish pages: the saver's
// spheres on black as the renderer shows them, with a faint reflection below
// so that the tall strip reads as one scene rather than a sphere adrift.
#pragma once

#include <vector>

#include "saver/pictures/generator/sphere_picture.h"

namespace pictures {

// The size NSIS's Modern UI gives the picture on those pages (109 x 193
// dialog units of its 8-point dialog font at 96 dpi); larger scales stretch it.
constexpr int kInstallerSideWidth = 164;   // pixels
constexpr int kInstallerSideHeight = 314;  // pixels

Picture installer_side_picture(const std::vector<SphereLook>& spheres);

}  // namespace pictures
