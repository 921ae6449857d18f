// The settings dialog's background: top-to-bottom gradients, dark at the top
// and bottom edges and brightest in the middle, from a sine curve;
// blue-tinted on the window, neutral grey on the music panel. The Windows
// side (win32/gradient_rows.h) draws one line per row.
#pragma once

#include <cstdint>
#include <vector>

namespace settings_dialog {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

enum class GradientSurface {
    Window,  // red = green = v, blue = v + 30: RGB(0, 0, 30) at the edges, (220, 220, 250) in the middle
    Panel,   // red = green = blue = v + 30: RGB(30, 30, 30) at the edges, (250, 250, 250) in the middle
};

// The colour of each row y = 0, 1, ... n of a surface `height` pixels high,
// n being the height rounded half to even: v = |220 sin(y / k)| rounded half
// to even, with k = height / 3.142. Row n lies on the lower edge or just
// below it. A surface of no height has no rows (k would be 0).
std::vector<Rgb> gradient_rows(double height, GradientSurface surface);

}  // namespace settings_dialog
