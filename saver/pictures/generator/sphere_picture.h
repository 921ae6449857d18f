// A software rendering of the saver's picture for the stored pictures: the
// renderer's textured sphere (its radius, distance, field of view, texture
// and colour formula from renderer/scene; GLU texture coordinates, colour =
// texel x channel colour, spheres added), ray-cast with supersampling.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/scene/scene_view.h"

namespace pictures {

// One sphere of the scene: its turn and its channel phases.
struct SphereLook {
    // Rotation of the sphere, applied as glRotate(x) then glRotate(y) then
    // glRotate(z), in degrees.
    double rotate_x_deg = 0, rotate_y_deg = 0, rotate_z_deg = 0;
    // Phases in radians of the red, green and blue channel colours; each
    // channel is (1 + sin(phase))^2 / 2, clamped to 1.
    double phase[3] = {0, 0, 0};
};

struct View {
    int width = 0, height = 0;              // pixels
    double fovy_deg = scene::kFieldOfView;  // vertical, degrees
    int samples = 4;                        // supersamples per pixel along each axis
};

// A rendered picture: RGB bytes, row-major from the top, and per pixel the
// fraction of samples that hit a sphere (0..255), for the icon's alpha.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    std::vector<std::uint8_t> coverage;
};

// The channel colour for a phase: (1 + sin(phase))^2 / 2, at most 1.
double channel_colour(double phase);

Picture render_spheres(const View& view, const std::vector<SphereLook>& spheres);

// The preview's fixed scene: two spheres at the same place that show as one
// banded sphere, one in reds and yellows, one in blues and purples.
std::vector<SphereLook> preview_scene();

// A binary PPM (P6) of `picture`.
std::vector<std::uint8_t> encode_ppm(const Picture& picture);

}  // namespace pictures
