#include "saver/pictures/generator/button_pictures.h"

#include <algorithm>
#include <cmath>

#include "saver/button/body_gradient.h"
#include "saver/button/frame_geometry.h"
#include "saver/shared/mark_pictures.h"

namespace pictures {
namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb hex(std::uint32_t rrggbb) {
    return {static_cast<double>((rrggbb >> 16) & 0xFF), static_cast<double>((rrggbb >> 8) & 0xFF),
            static_cast<double>(rrggbb & 0xFF)};
}

// A body colour as the button reads its text (button::read_colour_text).
Rgb colour_text(const char* text) {
    const button::Channels16 c = button::read_colour_text(text).value_or(button::Channels16{});
    return {static_cast<double>(c.red >> 8), static_cast<double>(c.green >> 8), static_cast<double>(c.blue >> 8)};
}

Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

enum class Side { Top, Bottom, Left, Right };

// The colour of one ring along one side: at the top and bottom the same
// across the whole width; along the sides shading from `first` at the top
// row to `last` at the bottom row.
struct Tone {
    Rgb first, last;
    Rgb at(double down) const { return mix(first, last, down); }
};

Tone flat(std::uint32_t rrggbb) {
    return {hex(rrggbb), hex(rrggbb)};
}
Tone shade(std::uint32_t top, std::uint32_t bottom) {
    return {hex(top), hex(bottom)};
}

struct RingTones {
    Tone top, bottom, left, right;
    const Tone& on(Side side) const {
        switch (side) {
            case Side::Top:
                return top;
            case Side::Bottom:
                return bottom;
            case Side::Left:
                return left;
            default:
                return right;
        }
    }
};

RingTones all_sides(const Tone& tone) {
    return {tone, tone, tone, tone};
}

// Ring 0 of the raised looks: the surrounding face, lit differently per side.
const RingTones kRaisedRing0{flat(0xDCD6C2), flat(0xFAFAF6), flat(0xE2DECB), flat(0xF0EEE0)};
const Tone kBlueOutline = flat(0x003C74);

struct Design {
    // 0: the outline is ring 1; 1: the whole frame sits one pixel further in.
    int inset;
    // From ring 0 inwards; the last entry also colours the rings inside it
    // up to the frame's inner edge.
    std::vector<RingTones> rings;
};

Design design_of(button::StatePicture look) {
    switch (look) {
        case button::StatePicture::Normal:
            return {0,
                    {kRaisedRing0,
                     all_sides(kBlueOutline),
                     {flat(0xF3F3EE), flat(0xD6D0C5), shade(0xFDFDFC, 0xECEBE6), shade(0xF6F4F2, 0xE0DDD4)},
                     {flat(0xF3F3EE), flat(0xE2DFD6), shade(0xFDFDFC, 0xECEBE6), shade(0xF6F4F2, 0xE0DDD4)}}};
        case button::StatePicture::HighLight:
        case button::StatePicture::HighLightSelect:
            return {0,
                    {kRaisedRing0,
                     all_sides(kBlueOutline),
                     {flat(0xFFF0CF), flat(0xE59700), shade(0xFEDF9A, 0xF9B435), shade(0xFEDF9A, 0xF9B435)},
                     {flat(0xFDD889), flat(0xF8B330), shade(0xFCD279, 0xF8B535), shade(0xFCD279, 0xF8B535)}}};
        case button::StatePicture::Selected:
            return {0,
                    {kRaisedRing0,
                     all_sides(kBlueOutline),
                     {flat(0xCEE7FF), flat(0x6982EE), shade(0xB7D0F4, 0x8BADE4), shade(0xB7D0F4, 0x8BADE4)}}};
        case button::StatePicture::Pressed:
            return {1,
                    {all_sides(flat(0xECE9D8)),
                     kRaisedRing0,
                     all_sides(kBlueOutline),
                     {flat(0xD1CCC1), flat(0xF2F1EE), flat(0xD8D4CB), flat(0xE5E4DD)}}};
        case button::StatePicture::Disable:
            return {0, {all_sides(flat(0xECE9D8)), all_sides(flat(0xC9C7BA)), all_sides(flat(0xF5F4EA))}};
    }
    return {};
}

// The frame is the outer four pixels; the middle, which the button never
// draws, shows the body's gradient so that the picture reads as a button.
constexpr int kFrameRings = button::kCornerPixels;
const Tone kMiddle{colour_text(button::kGradientWhite), colour_text(button::kGradientTint)};

// Radius of the rounded outline's corners, in pixels.
constexpr double kCornerRadius = 4.0;
// Samples per pixel along each axis: the blended corner pixels are the share
// of each ring in a pixel.
constexpr int kSamples = 8;

// How far (px, py) lies inside the outer edge of the rounded rectangle
// `inset` pixels in from the picture's edge; negative outside its corners.
double depth(double px, double py, int inset) {
    const double x0 = inset, y0 = inset;
    const double x1 = button::kPicturePixelWidth - inset, y1 = button::kPicturePixelHeight - inset;
    const double cx =
        px < x0 + kCornerRadius ? x0 + kCornerRadius : (px > x1 - kCornerRadius ? x1 - kCornerRadius : px);
    const double cy =
        py < y0 + kCornerRadius ? y0 + kCornerRadius : (py > y1 - kCornerRadius ? y1 - kCornerRadius : py);
    if (cx != px && cy != py)
        return kCornerRadius - std::hypot(px - cx, py - cy);
    return std::min(std::min(px - x0, x1 - px), std::min(py - y0, y1 - py));
}

Side nearest_side(double px, double py) {
    const double top = py, bottom = button::kPicturePixelHeight - py;
    const double left = px, right = button::kPicturePixelWidth - px;
    const double nearest = std::min(std::min(top, bottom), std::min(left, right));
    if (nearest == top)
        return Side::Top;
    if (nearest == bottom)
        return Side::Bottom;
    return nearest == left ? Side::Left : Side::Right;
}

void put(Picture& picture, int x, int y, const Rgb& colour) {
    const std::size_t i = (static_cast<std::size_t>(y) * picture.width + x) * 3;
    picture.rgb[i] = static_cast<std::uint8_t>(std::lround(colour.r));
    picture.rgb[i + 1] = static_cast<std::uint8_t>(std::lround(colour.g));
    picture.rgb[i + 2] = static_cast<std::uint8_t>(std::lround(colour.b));
}

Picture blank(int width, int height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
    return picture;
}

}  // namespace

Picture button_picture(button::StatePicture look) {
    const Design design = design_of(look);
    const int last_ring = static_cast<int>(design.rings.size()) - 1;
    Picture picture = blank(button::kPicturePixelWidth, button::kPicturePixelHeight);
    for (int y = 0; y < button::kPicturePixelHeight; ++y) {
        const double down = static_cast<double>(y) / (button::kPicturePixelHeight - 1);
        for (int x = 0; x < button::kPicturePixelWidth; ++x) {
            Rgb sum{0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples, py = y + (sy + 0.5) / kSamples;
                    const double d = depth(px, py, design.inset);
                    const int ring = d < 0 ? 0 : static_cast<int>(d) + design.inset;
                    const Rgb c = ring >= kFrameRings
                                      ? kMiddle.at(down)
                                      : design.rings[std::min(ring, last_ring)].on(nearest_side(px, py)).at(down);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            constexpr double n = kSamples * kSamples;
            put(picture, x, y, {sum.r / n, sum.g / n, sum.b / n});
        }
    }
    return picture;
}

Picture mark_picture(bool chosen) {
    constexpr int kSize = shared::kMarkPicturePixels;
    Picture picture = blank(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x)
            put(picture, x, y, hex(shared::mark_colour(kSize, x, y, chosen)));
    }
    return picture;
}

std::vector<NamedPicture> button_and_mark_pictures() {
    // One file per state picture, in the order of button::StatePicture.
    static constexpr const char* kStateFiles[button::kStatePictureCount] = {
        "button_normal.bmp",   "button_highlight.bmp", "button_highlight_select.bmp",
        "button_selected.bmp", "button_pressed.bmp",   "button_disable.bmp"};
    std::vector<NamedPicture> pictures;
    for (int i = 0; i < button::kStatePictureCount; ++i)
        pictures.push_back({kStateFiles[i], button_picture(static_cast<button::StatePicture>(i))});
    pictures.push_back({"mark_clear.bmp", mark_picture(false)});
    pictures.push_back({"mark_chosen.bmp", mark_picture(true)});
    return pictures;
}

}  // namespace pictures
