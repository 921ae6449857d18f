#include "renderer/scene/sphere_texture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(SphereTexture, RowsZeroAndSixtyFourHoldTheSameBands) {
    for (int row : {0, 64}) {
        std::uint8_t texel[3];
        scene::sphere_texture_row(row, texel);
        EXPECT_EQ(texel[0], 102) << "row " << row;
        EXPECT_EQ(texel[1], 66) << "row " << row;
        EXPECT_EQ(texel[2], 9) << "row " << row;
    }
}

TEST(SphereTexture, EveryRowIsUniformAndEveryByteWithinRange) {
    std::vector<std::uint8_t> rgb(scene::kTextureBytes + 16, 0xEE);  // guard bytes after the texture
    scene::fill_sphere_texture(rgb.data());
    int lowest = 255, highest = 0;
    for (int row = 0; row < scene::kTextureSize; ++row) {
        std::uint8_t expected[3];
        scene::sphere_texture_row(row, expected);
        for (int column = 0; column < scene::kTextureSize; ++column) {
            const std::uint8_t* texel = &rgb[(static_cast<std::size_t>(row) * scene::kTextureSize + column) * 3];
            ASSERT_EQ(0, std::memcmp(texel, expected, 3)) << "row " << row << " column " << column;
            for (int c = 0; c < 3; ++c) {
                lowest = std::min<int>(lowest, texel[c]);
                highest = std::max<int>(highest, texel[c]);
            }
        }
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 102);
    for (std::size_t i = scene::kTextureBytes; i < rgb.size(); ++i)
        EXPECT_EQ(rgb[i], 0xEE) << "wrote past the texture at " << i;
}

}  // namespace
