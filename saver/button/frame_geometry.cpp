#include "saver/button/frame_geometry.h"

#include <limits>

namespace button {
namespace {

void store_if_it_fits(std::int16_t& field, long value) {
    if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max())
        field = static_cast<std::int16_t>(value);
}

}  // namespace

void update_frame_geometry(FrameGeometry& geometry, long width, long height) {
    store_if_it_fits(geometry.middle_width, width - 2 * kCorner);
    store_if_it_fits(geometry.right_x, width - kCorner);
    store_if_it_fits(geometry.middle_height, height - 2 * kCorner);
    store_if_it_fits(geometry.bottom_y, height - kCorner);
}

std::array<FrameSlice, 8> frame_slices(const FrameGeometry& g) {
    const int c = kCorner;
    return {{
        {{0, 0, c, c}, {0, 0, c, c}},
        {{c, 0, kPictureMiddleWidth, c}, {c, 0, g.middle_width, c}},
        {{kPictureRightX, 0, c, c}, {g.right_x, 0, c, c}},
        {{kPictureRightX, c, c, kPictureMiddleHeight}, {g.right_x, c, c, g.middle_height}},
        {{kPictureRightX, kPictureBottomY, c, c}, {g.right_x, g.bottom_y, c, c}},
        {{c, kPictureBottomY, kPictureMiddleWidth, c}, {c, g.bottom_y, g.middle_width, c}},
        {{0, kPictureBottomY, c, c}, {0, g.bottom_y, c, c}},
        {{0, c, c, kPictureMiddleHeight}, {0, c, c, g.middle_height}},
    }};
}

double caption_top(long height) {
    return (static_cast<double>(height) - kCaptionHeight - 20) / 2;
}

}  // namespace button
