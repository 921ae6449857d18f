#include "saver/pictures/generator/installer_side_picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace pictures {
namespace {

// A field of view narrower than the renderer's, so the sphere spans about
// three quarters of the strip's width (its radius about 58 pixels).
constexpr double kFieldOfView = 40.0;  // vertical, degrees, over the square view
// The square view's top edge; the sphere's centre then sits a little above
// the middle, where the eye meets it beside the page's title.
constexpr int kSphereTop = 50;  // pixels from the picture's top
// The reflection starts at the sphere's lowest lit row and fades to black.
constexpr double kReflectionStrength = 0.28;  // of the sphere's brightness, at the contact row
constexpr int kReflectionRows = 96;

}  // namespace

Picture installer_side_picture(const std::vector<SphereLook>& spheres) {
    View view;
    view.width = kInstallerSideWidth;
    view.height = kInstallerSideWidth;
    view.fovy_deg = kFieldOfView;
    view.samples = 8;
    const Picture sphere = render_spheres(view, spheres);

    Picture out;
    out.width = kInstallerSideWidth;
    out.height = kInstallerSideHeight;
    out.rgb.assign(static_cast<std::size_t>(out.width) * out.height * 3, 0);
    out.coverage.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    const std::size_t row_bytes = static_cast<std::size_t>(out.width) * 3;

    int lowest_lit = -1;
    for (int y = 0; y < sphere.height; ++y) {
        const auto first = sphere.coverage.begin() + static_cast<std::ptrdiff_t>(y) * sphere.width;
        if (std::any_of(first, first + sphere.width, [](std::uint8_t c) { return c != 0; }))
            lowest_lit = y;
        std::copy_n(sphere.rgb.begin() + static_cast<std::ptrdiff_t>(y * row_bytes), row_bytes,
                    out.rgb.begin() + static_cast<std::ptrdiff_t>((kSphereTop + y) * row_bytes));
    }

    // Mirrored about the row below the sphere, as on a dark polished floor.
    for (int d = 0; d < kReflectionRows && lowest_lit - d >= 0; ++d) {
        const int target = kSphereTop + lowest_lit + 1 + d;
        if (target >= out.height)
            break;
        const double fade = 1.0 - static_cast<double>(d) / kReflectionRows;
        const double weight = kReflectionStrength * fade * fade;
        const std::size_t from = static_cast<std::size_t>(lowest_lit - d) * row_bytes;
        const std::size_t to = static_cast<std::size_t>(target) * row_bytes;
        for (std::size_t i = 0; i < row_bytes; ++i)
            out.rgb[to + i] = static_cast<std::uint8_t>(std::lround(sphere.rgb[from + i] * weight));
    }
    return out;
}

}  // namespace pictures
