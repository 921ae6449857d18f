// The characters the front end's readers of numbers in text look at (the
// settings file's values, the repeat box), byte by byte, which is safe in
// Shift-JIS: no second byte of a double-byte character is a blank or a
// digit; and the rounding of the settings dialog's numbers, the repeat box's
// track and the gradients' rows.
#pragma once

#include <cmath>

namespace shared {

// A blank that may stand around a number: space or tab.
inline bool is_number_blank(char c) {
    return c == ' ' || c == '\t';
}

inline bool is_decimal_digit(char c) {
    return c >= '0' && c <= '9';
}

// To the nearest whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2).
inline double round_half_even(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return floor + 1;
    if (fraction < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
}

}  // namespace shared
