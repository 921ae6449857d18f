#include "saver/settings_dialog/dialog_numbers.h"

#include <cmath>
#include <cstdlib>

#include "saver/shared/number_text.h"

namespace settings_dialog {

double round_half_even(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return floor + 1;
    if (fraction < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1;
}

std::string format_track(std::int16_t track) {
    return track == 0 ? std::string() : std::to_string(track);
}

std::vector<std::string> repeat_entries() {
    std::vector<std::string> entries;
    for (std::int16_t track = 0; track <= 30; ++track)
        entries.push_back(format_track(track));
    return entries;
}

std::int16_t repeat_track_from_text(const std::string& text, std::int16_t previous) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && shared::is_number_blank(text[begin]))
        ++begin;
    while (end > begin && shared::is_number_blank(text[end - 1]))
        --end;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0, points = 0;
    for (; i < end; ++i) {
        if (shared::is_decimal_digit(text[i]))
            ++digits;
        else if (text[i] == '.' && points == 0)
            ++points;
        else
            return 0;
    }
    if (digits == 0)
        return 0;
    // Only sign, digits and one point remain: strtod reads exactly that, and a
    // long run of digits only grows beyond the range, never wraps.
    const double value = round_half_even(std::strtod(text.substr(begin, end - begin).c_str(), nullptr));
    if (value < -32768.0 || value > 32767.0)
        return previous;
    return static_cast<std::int16_t>(value);
}

}  // namespace settings_dialog
