#include "renderer/start_fade.h"

#include <algorithm>
#include <cmath>

namespace renderer {
namespace {

// CIE L* (0..100) to relative luminance, and luminance to the sRGB-encoded
// value a display decodes back to it.
double luminance_of_lightness(double l_star) {
    return l_star > 8.0 ? std::pow((l_star + 16.0) / 116.0, 3.0) : l_star / 903.3;
}

double encoded_of_luminance(double y) {
    return y <= 0.0031308 ? 12.92 * y : 1.055 * std::pow(y, 1.0 / 2.4) - 0.055;
}

char folded(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool fades_from_desktop(const std::optional<std::string>& own_desktop,
                        const std::optional<std::string>& input_desktop) {
    if (!own_desktop || !input_desktop || own_desktop->empty() || own_desktop->size() != input_desktop->size())
        return false;
    return std::equal(own_desktop->begin(), own_desktop->end(), input_desktop->begin(),
                      [](char a, char b) { return folded(a) == folded(b); });
}

float level_for_lightness(double lightness) {
    lightness = std::clamp(lightness, 0.0, 1.0);
    return static_cast<float>(std::clamp(encoded_of_luminance(luminance_of_lightness(100.0 * lightness)), 0.0, 1.0));
}

FadeLevels fade_levels(double seconds, bool from_desktop) {
    seconds = std::max(seconds, 0.0);
    if (from_desktop) {
        if (seconds < kDarkenSeconds)
            return {level_for_lightness(1.0 - seconds / kDarkenSeconds), 0.0f};
        seconds -= kDarkenSeconds;
    }
    return {0.0f, level_for_lightness(seconds / kRiseSeconds)};
}

FadeLevels StartFade::frame(std::int64_t ticks, std::int64_t ticks_per_second) {
    if (!running_)
        return {};
    if (started_) {
        const auto longest = static_cast<std::int64_t>(kLongestFadeStep * static_cast<double>(ticks_per_second));
        fade_ticks_ += std::clamp<std::int64_t>(ticks - last_ticks_, 0, longest);
    }
    started_ = true;
    last_ticks_ = ticks;
    const double seconds = static_cast<double>(fade_ticks_) / static_cast<double>(ticks_per_second);
    const double darken = from_desktop_ ? kDarkenSeconds : 0.0;
    darkened_ = seconds >= darken;
    if (seconds >= darken + kRiseSeconds)
        running_ = false;
    return fade_levels(seconds, from_desktop_);
}

}  // namespace renderer
