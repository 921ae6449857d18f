// The procedural texture wrapped around both spheres: 128 x 128 texels of
// colour-fringed bands, eight cosine periods from the first row to the last.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scene {

constexpr int kTextureSize = 128;                                       // texels per row and rows
constexpr std::size_t kTextureBytes = kTextureSize * kTextureSize * 3;  // 0xC000, RGB

// Fills `rgb` (kTextureBytes bytes, row-major, red/green/blue per texel).
// Every texel of a row is equal; channel values lie in 0..102.
void fill_sphere_texture(std::uint8_t* rgb);

// The three bytes (red, green, blue) of every texel of row `row` (0..127).
void sphere_texture_row(int row, std::uint8_t out[3]);

}  // namespace scene
