#include "renderer/scene/sphere_texture.h"

#include <cmath>

namespace scene {
namespace {

// 8 pi and 0.2 as the single-precision constants they were written with, so
// the bytes match the program this texture comes from bit for bit.
constexpr double kEightPi = 25.132741928100586;
constexpr double kBrightness = 0.20000000298023224;

std::uint8_t band(double v, double shift) {
    return static_cast<std::uint8_t>(static_cast<int>((std::cos((v + shift) * kEightPi) + 1.0) * kBrightness * 255.0));
}

}  // namespace

void sphere_texture_row(int row, std::uint8_t out[3]) {
    const double v = (row - 64) / 64.0;
    // Green trails red by a fifth of a period (0.05 in v), blue by two fifths.
    out[0] = band(v, 0.0);
    out[1] = band(v, 0.05);
    out[2] = band(v, 0.1);
}

void fill_sphere_texture(std::uint8_t* rgb) {
    for (int row = 0; row < kTextureSize; ++row) {
        std::uint8_t texel[3];
        sphere_texture_row(row, texel);
        for (int column = 0; column < kTextureSize; ++column) {
            std::uint8_t* p = rgb + (static_cast<std::size_t>(row) * kTextureSize + column) * 3;
            p[0] = texel[0];
            p[1] = texel[1];
            p[2] = texel[2];
        }
    }
}

}  // namespace scene
