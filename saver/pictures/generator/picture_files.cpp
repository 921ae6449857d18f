#include "saver/pictures/generator/picture_files.h"

namespace pictures {
namespace {

// Appends the low `bytes` bytes of `value`, least significant first, as the
// Windows file headers hold their fields.
void put_le(std::vector<std::uint8_t>& out, unsigned long value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const Picture& picture) {
    const std::size_t row_bytes = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
    const std::size_t image_bytes = row_bytes * picture.height;
    std::vector<std::uint8_t> out;
    const auto put16 = [&out](unsigned v) { put_le(out, v, 2); };
    const auto put32 = [&out](unsigned long v) { put_le(out, v, 4); };
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(static_cast<unsigned long>(14 + 40 + image_bytes));
    put32(0);
    put32(14 + 40);
    // BITMAPINFOHEADER: bottom-up, 24 bits, no compression, 96 dots per inch.
    put32(40);
    put32(static_cast<unsigned long>(picture.width));
    put32(static_cast<unsigned long>(picture.height));
    put16(1);
    put16(24);
    put32(0);
    put32(static_cast<unsigned long>(image_bytes));
    put32(3780);
    put32(3780);
    put32(0);
    put32(0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * picture.width + x) * 3;
            out.push_back(picture.rgb[i + 2]);
            out.push_back(picture.rgb[i + 1]);
            out.push_back(picture.rgb[i]);
        }
        out.insert(out.end(), row_bytes - static_cast<std::size_t>(picture.width) * 3, 0);
    }
    return out;
}

std::vector<std::uint8_t> encode_ico(const Picture& picture) {
    const int size = picture.width;
    const std::size_t mask_row = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
    const std::size_t image_bytes = 40 + static_cast<std::size_t>(size) * size * 4 + mask_row * size;
    std::vector<std::uint8_t> out;
    const auto put16 = [&out](unsigned v) { put_le(out, v, 2); };
    const auto put32 = [&out](unsigned long v) { put_le(out, v, 4); };
    // ICONDIR and its one entry.
    put16(0);
    put16(1);
    put16(1);
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(static_cast<std::uint8_t>(size));
    out.push_back(0);  // no palette
    out.push_back(0);
    put16(1);   // planes
    put16(32);  // bits per pixel
    put32(static_cast<unsigned long>(image_bytes));
    put32(6 + 16);
    // BITMAPINFOHEADER: the height counts the colour image and the mask.
    put32(40);
    put32(static_cast<unsigned long>(size));
    put32(static_cast<unsigned long>(size * 2));
    put16(1);
    put16(32);
    for (int i = 0; i < 6; ++i)
        put32(0);
    // Colour rows bottom-up, BGRA; black outside the sphere is transparent.
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * size + x;
            out.push_back(picture.rgb[i * 3 + 2]);
            out.push_back(picture.rgb[i * 3 + 1]);
            out.push_back(picture.rgb[i * 3 + 0]);
            out.push_back(picture.coverage[i]);
        }
    }
    // AND mask for systems that ignore alpha: set (transparent) where no sample hit.
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(mask_row, 0);
        for (int x = 0; x < size; ++x) {
            if (picture.coverage[static_cast<std::size_t>(y) * size + x] == 0)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace pictures
