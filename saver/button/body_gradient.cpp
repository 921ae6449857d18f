#include "saver/button/body_gradient.h"

#include <cstdio>
#include <string>

namespace button {
namespace {

std::optional<std::uint32_t> hex_value(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

// "&H" & pair & "00": an empty pair is read as "&H00".
std::uint16_t channel_of(const std::string& digits, std::size_t first) {
    const std::string pair = first < digits.size() ? digits.substr(first, 2) : std::string();
    return static_cast<std::uint16_t>(hex_value(pair + "00").value_or(0));
}

}  // namespace

std::optional<Channels16> read_colour_text(std::string_view text) {
    if (text.size() < 2 || (text.substr(0, 2) != "&H" && text.substr(0, 2) != "&h"))
        return std::nullopt;
    const std::optional<std::uint32_t> value = hex_value(text.substr(2));
    if (!value)
        return std::nullopt;
    char written[9];
    std::snprintf(written, sizeof written, "%X", static_cast<unsigned>(*value));
    const std::string digits(written);
    return Channels16{channel_of(digits, 0), channel_of(digits, 2), channel_of(digits, 4)};
}

void update_gradient(GradientRecord& record, bool reversed, int width, int height) {
    const std::optional<Channels16> white = read_colour_text(kGradientWhite);
    const std::optional<Channels16> tint = read_colour_text(kGradientTint);
    Vertex& top = record.vertex[0];
    Vertex& bottom = record.vertex[1];
    const std::optional<Channels16>& top_colour = reversed ? tint : white;
    const std::optional<Channels16>& bottom_colour = reversed ? white : tint;
    if (top_colour)
        top.colour = *top_colour;
    if (bottom_colour)
        bottom.colour = *bottom_colour;
    top.x = 0;
    top.y = 0;
    bottom.x = width - 1;
    bottom.y = height - 1;
    record.upper_left = 1;
    record.lower_right = 0;
}

}  // namespace button
