#include "saver/settings_dialog/gradient_rows.h"

#include <cmath>
#include <cstddef>

#include "saver/shared/number_text.h"

namespace settings_dialog {
namespace {

// A rounded value of pi, as the curve has always used: the last row is not
// exactly back at 0.
constexpr double kDivisor = 3.142;
constexpr double kAmplitude = 220.0;
constexpr int kOffset = 30;

}  // namespace

std::vector<Rgb> gradient_rows(double height, GradientSurface surface) {
    std::vector<Rgb> rows;
    const double k = height / kDivisor;
    if (!(k > 0.0) || height > 32767.0)
        return rows;
    const int n = static_cast<int>(shared::round_half_even(height));
    rows.reserve(static_cast<std::size_t>(n) + 1);
    for (int y = 0; y <= n; ++y) {
        const int v = static_cast<int>(shared::round_half_even(std::fabs(kAmplitude * std::sin(y / k))));
        const auto lifted = static_cast<std::uint8_t>(v + kOffset);
        if (surface == GradientSurface::Window)
            rows.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v), lifted});
        else
            rows.push_back({lifted, lifted, lifted});
    }
    return rows;
}

}  // namespace settings_dialog
