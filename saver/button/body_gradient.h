// The body gradient of the push button Command: two colours given as texts,
// and the two vertices and one rectangle that the Windows side hands to
// GradientFill (TRIVERTEX and GRADIENT_RECT, mirrored here without the
// header).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace button {

// The two body colours: white, and a lavender grey that reads as
// RGB (198, 197, 215) because its text is taken pair by pair as written.
inline constexpr char kGradientWhite[] = "&HFFFFFF";
inline constexpr char kGradientTint[] = "&HC6C5D7";

// A colour as GradientFill takes it: each channel 0..0xFF00, the 8-bit value
// in the high byte.
struct Channels16 {
    std::uint16_t red = 0, green = 0, blue = 0;
    bool operator==(const Channels16& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// Reads a hexadecimal literal "&H..." (up to eight digits) as a number, writes
// it back as hexadecimal digits without leading zeros, and takes the digit
// pairs 1-2, 3-4 and 5-6 as red, green and blue, each pair P becoming P * 256.
// So "&HC6C5D7" gives C600, C500, D700: the written order, not the 0x00BBGGRR
// reading of the same number. A pair cut short by a shorter number is read
// as far as it goes ("&HFFFF": blue 0); nullopt when the text is no such
// literal.
std::optional<Channels16> read_colour_text(std::string_view text);

struct Vertex {
    std::int32_t x = 0, y = 0;  // pixels
    Channels16 colour;          // alpha is always 0
};

// What one gradient paint draws, kept with the control between paints.
struct GradientRecord {
    Vertex vertex[2];
    // The rectangle's corners as vertex indices: vertex 1 is named as the
    // upper left, vertex 0 as the lower right. GradientFill takes the corners
    // from the positions, so the body still runs from vertex 0 at the top to
    // vertex 1 at the bottom.
    std::uint32_t upper_left = 1, lower_right = 0;
};

// Updates `record` for a body of `width` x `height` pixels: vertex 0 at
// (0, 0), vertex 1 at (width - 1, height - 1), so the filled rectangle leaves
// the last column and row to the frame. Not reversed: vertex 0 white, vertex 1
// the tint; reversed the other way round. A colour text that cannot be read
// leaves that vertex's colour as the previous paint left it.
void update_gradient(GradientRecord& record, bool reversed, int width, int height);

}  // namespace button
