// The rounding of the settings dialog's numbers: the repeat box's track and
// the gradients' rows.
#pragma once

#include <cmath>

namespace settings_dialog {

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

}  // namespace settings_dialog
