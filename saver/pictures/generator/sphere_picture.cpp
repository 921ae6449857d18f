#include "saver/pictures/generator/sphere_picture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "renderer/scene/scene_state.h"
#include "renderer/scene/scene_view.h"
#include "renderer/scene/sphere_texture.h"

namespace pictures {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x, y, z;
};

double dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Row-major 3x3 rotation matrix.
struct Mat {
    double m[3][3];
    // The model matrix's inverse: eye space back to the sphere's own axes.
    Vec apply_transposed(const Vec& v) const {
        return {m[0][0] * v.x + m[1][0] * v.y + m[2][0] * v.z, m[0][1] * v.x + m[1][1] * v.y + m[2][1] * v.z,
                m[0][2] * v.x + m[1][2] * v.y + m[2][2] * v.z};
    }
};

Mat multiply(const Mat& a, const Mat& b) {
    Mat r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
    return r;
}

Mat rotation(double deg, int axis) {
    const double c = std::cos(deg * kPi / 180.0), s = std::sin(deg * kPi / 180.0);
    switch (axis) {
        case 0:
            return Mat{{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
        case 1:
            return Mat{{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
        default:
            return Mat{{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
    }
}

// The texture as GL samples it along t with linear filtering and wrapping:
// every texel of a row is equal, so s does not matter.
void sample_texture(const std::uint8_t* texture, double t, double out[3]) {
    const double position = t * scene::kTextureSize - 0.5;
    const double below = std::floor(position);
    const double weight = position - below;
    const int size = scene::kTextureSize;
    const int row0 = ((static_cast<int>(below) % size) + size) % size;
    const int row1 = (row0 + 1) % size;
    for (int c = 0; c < 3; ++c) {
        const double a = texture[static_cast<std::size_t>(row0) * size * 3 + c] / 255.0;
        const double b = texture[static_cast<std::size_t>(row1) * size * 3 + c] / 255.0;
        out[c] = a + (b - a) * weight;
    }
}

}  // namespace

double channel_colour(double phase) {
    return std::min(1.0, scene::channel_brightness(phase));
}

Picture render_spheres(const View& view, const std::vector<SphereLook>& spheres) {
    std::vector<std::uint8_t> texture(scene::kTextureBytes);
    scene::fill_sphere_texture(texture.data());

    struct Prepared {
        Mat model;
        double colour[3];
    };
    std::vector<Prepared> prepared;
    for (const SphereLook& look : spheres) {
        Prepared p{};
        p.model = multiply(multiply(rotation(look.rotate_x_deg, 0), rotation(look.rotate_y_deg, 1)),
                           rotation(look.rotate_z_deg, 2));
        for (int c = 0; c < 3; ++c)
            p.colour[c] = channel_colour(look.phase[c]);
        prepared.push_back(p);
    }

    Picture picture;
    picture.width = view.width;
    picture.height = view.height;
    picture.rgb.assign(static_cast<std::size_t>(view.width) * view.height * 3, 0);
    picture.coverage.assign(static_cast<std::size_t>(view.width) * view.height, 0);

    const double tan_half = std::tan(view.fovy_deg * kPi / 360.0);
    const double aspect = static_cast<double>(view.width) / view.height;
    const Vec centre{0, 0, -scene::kSphereDistance};
    const int n = view.samples;
    for (int py = 0; py < view.height; ++py) {
        for (int px = 0; px < view.width; ++px) {
            double sum[3] = {0, 0, 0};
            int hits = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const double fx = (px + (sx + 0.5) / n) / view.width * 2.0 - 1.0;
                    const double fy = 1.0 - (py + (sy + 0.5) / n) / view.height * 2.0;
                    Vec dir{fx * tan_half * aspect, fy * tan_half, -1.0};
                    const double len = std::sqrt(dot(dir, dir));
                    dir = {dir.x / len, dir.y / len, dir.z / len};
                    // Ray from the eye at the origin against the sphere.
                    const double b = dot(dir, centre);
                    const double disc = b * b - (dot(centre, centre) - scene::kSphereRadius * scene::kSphereRadius);
                    if (disc < 0)
                        continue;
                    const double along = b - std::sqrt(disc);
                    const Vec hit{dir.x * along, dir.y * along, dir.z * along};
                    const Vec normal{(hit.x - centre.x) / scene::kSphereRadius,
                                     (hit.y - centre.y) / scene::kSphereRadius,
                                     (hit.z - centre.z) / scene::kSphereRadius};
                    ++hits;
                    for (const Prepared& p : prepared) {
                        const Vec o = p.model.apply_transposed(normal);
                        // gluSphere: t runs from 0 at the -z pole to 1 at +z.
                        const double t = 1.0 - std::acos(std::clamp(o.z, -1.0, 1.0)) / kPi;
                        double texel[3];
                        sample_texture(texture.data(), t, texel);
                        for (int c = 0; c < 3; ++c)
                            sum[c] += texel[c] * p.colour[c];
                    }
                }
            }
            const std::size_t index = static_cast<std::size_t>(py) * view.width + px;
            for (int c = 0; c < 3; ++c) {
                // Additive blending saturates each sample at 1.
                const double v = std::min(sum[c], static_cast<double>(n * n)) / (n * n);
                picture.rgb[index * 3 + c] = static_cast<std::uint8_t>(std::lround(v * 255.0));
            }
            picture.coverage[index] = static_cast<std::uint8_t>(std::lround(255.0 * hits / (n * n)));
        }
    }
    return picture;
}

std::vector<SphereLook> preview_scene() {
    // The two spheres' poles point different ways, so their bands cross and
    // the picture shows both colour families at full strength where they meet.
    SphereLook warm;
    warm.rotate_x_deg = 75.0;
    warm.rotate_y_deg = 20.0;
    // red full, green about 0.7, no blue: bands of red, orange and yellow
    warm.phase[0] = kPi / 2;
    warm.phase[1] = 0.18;
    warm.phase[2] = -kPi / 2;
    SphereLook cool;
    cool.rotate_x_deg = 25.0;
    cool.rotate_y_deg = 70.0;
    // blue full, red about 0.45, no green: bands of blue and purple
    cool.phase[0] = -0.05;
    cool.phase[1] = -kPi / 2;
    cool.phase[2] = kPi / 2;
    return {warm, cool};
}

std::vector<std::uint8_t> encode_ppm(const Picture& picture) {
    const std::string header =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.insert(out.end(), picture.rgb.begin(), picture.rgb.end());
    return out;
}

}  // namespace pictures
