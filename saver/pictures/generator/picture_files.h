// The stored pictures as the files the resource compiler takes.
#pragma once

#include <cstdint>
#include <vector>

#include "saver/pictures/generator/sphere_picture.h"

namespace pictures {

// A 24-bit uncompressed Windows bitmap file (bottom-up rows, BGR).
std::vector<std::uint8_t> encode_bmp(const Picture& picture);

// A .ico file holding one 32-bit image (BGRA with alpha, plus AND mask) of
// `picture`, which must be square and at most 255 pixels wide.
std::vector<std::uint8_t> encode_ico(const Picture& picture);

}  // namespace pictures
