#include "saver/settings_dialog/dialog_logic.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "saver/shared/decimal_scan.h"
#include "saver/shared/number_text.h"
#include "saver/shared/texts.h"

namespace settings_dialog {

// ---- The numbers ----

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
    const shared::DecimalScan scan = shared::scan_decimal(text);
    for (std::size_t i = scan.end; i < text.size(); ++i) {
        if (!shared::is_number_blank(text[i]))
            return 0;
    }
    if (scan.digits() == 0)
        return 0;
    // Only sign, digits and one point remain: strtod reads exactly that, and a
    // long run of digits only grows beyond the range, never wraps.
    const double value = round_half_even(std::strtod(text.substr(scan.begin, scan.end - scan.begin).c_str(), nullptr));
    if (value < -32768.0 || value > 32767.0)
        return previous;
    return static_cast<std::int16_t>(value);
}

// ---- The gradients ----

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
    const int n = static_cast<int>(round_half_even(height));
    rows.reserve(static_cast<std::size_t>(n) + 1);
    for (int y = 0; y <= n; ++y) {
        const int v = static_cast<int>(round_half_even(std::fabs(kAmplitude * std::sin(y / k))));
        const auto lifted = static_cast<std::uint8_t>(v + kOffset);
        if (surface == GradientSurface::Window)
            rows.push_back({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v), lifted});
        else
            rows.push_back({lifted, lifted, lifted});
    }
    return rows;
}

// ---- The save ----

bool save_settings(shared::SettingsSystem& system,
                   shared::Settings& settings,
                   const std::string& repeat_text,
                   const std::string& ini_path) {
    const bool kind_written = shared::PutIniValue(system, texts::kSection, texts::kKeyKind,
                                                  shared::format_ini_number(settings.BGM_Kind), ini_path) != 0;
    settings.BGM_RepeatTrack = repeat_track_from_text(repeat_text, settings.BGM_RepeatTrack);
    const bool repeat_written = shared::PutIniValue(system, texts::kSection, texts::kKeyRepeatTrack,
                                                    shared::format_ini_number(settings.BGM_RepeatTrack), ini_path) != 0;
    const bool file_written =
        shared::PutIniValue(system, texts::kSection, texts::kKeyFile, settings.BGM_File, ini_path) != 0;
    return kind_written && repeat_written && file_written;
}

// ---- Tab stepping ----

std::optional<int> next_tab_stop(const std::vector<bool>& takes_focus, int current, bool backwards) {
    const int count = static_cast<int>(takes_focus.size());
    const int step = backwards ? count - 1 : 1;
    for (int tried = 1, i = current; tried <= count; ++tried) {
        i = (i < 0 ? (backwards ? count - 1 : 0) : (i + step) % count);
        if (takes_focus[i])
            return i;
    }
    return std::nullopt;
}

// ---- A press on the music panel ----

namespace {

bool covers(const shared::TwipsRect& place, int x, int y, int dpi) {
    const common::PixelRect p = shared::pixels_from_twips(place, dpi);
    return x >= p.left && x < p.right && y >= p.top && y < p.bottom;
}

}  // namespace

int kind_at(int x, int y, int dpi) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (covers(kKindMark[kind], x, y, dpi) || covers(kKindLabel[kind], x, y, dpi))
            return kind;
    }
    return -1;
}

// ---- Arrow keys on the music panel ----

namespace {

// The kinds by their marks' places, top to bottom; the kind numbers do not
// follow the rows.
std::array<int, kKindCount> kinds_top_to_bottom() {
    std::array<int, kKindCount> rows{};
    for (int kind = 0; kind < kKindCount; ++kind)
        rows[kind] = kind;
    std::sort(rows.begin(), rows.end(), [](int a, int b) { return kKindMark[a].top < kKindMark[b].top; });
    return rows;
}

}  // namespace

int kind_after_step(int current, bool down) {
    const std::array<int, kKindCount> rows = kinds_top_to_bottom();
    const auto found = std::find(rows.begin(), rows.end(), current);
    if (found == rows.end())
        return down ? rows.front() : rows.back();
    const int row = static_cast<int>(found - rows.begin());
    return rows[(row + (down ? 1 : kKindCount - 1)) % kKindCount];
}

// ---- The caption zoom's point ----

namespace {

std::int16_t fitted(std::int64_t value, std::int16_t earlier) {
    if (value < INT16_MIN || value > INT16_MAX)
        return earlier;
    return static_cast<std::int16_t>(value);
}

}  // namespace

ZoomPoint zoom_origin_from_cursor(ZoomPoint earlier, std::optional<CursorPoint> cursor) {
    if (!cursor)
        return ZoomPoint();
    return ZoomPoint{fitted(cursor->x, earlier.x), fitted(cursor->y, earlier.y)};
}

// ---- The form in which a chosen music file is kept ----

std::optional<std::string> stored_music_path(const PathForms& forms, const std::wstring& chosen) {
    if (std::optional<std::string> exact = forms.exact_ansi(chosen))
        return exact;
    // A short form may keep a part the code page cannot hold (no short name
    // for it), or be made of characters it cannot hold either: only a form
    // that converts exactly is one the ANSI calls open.
    if (const std::optional<std::wstring> short_path = forms.short_form(chosen))
        return forms.exact_ansi(*short_path);
    return std::nullopt;
}

}  // namespace settings_dialog
