#include "saver/settings_dialog/layout.h"

#include <algorithm>
#include <array>

namespace settings_dialog {
namespace {

bool covers(const shared::TwipsRect& place, int x, int y, int dpi) {
    const common::PixelRect p = shared::pixels_from_twips(place, dpi);
    return x >= p.left && x < p.right && y >= p.top && y < p.bottom;
}

// The kinds by their marks' places, top to bottom; the kind numbers do not
// follow the rows.
std::array<int, kKindCount> kinds_top_to_bottom() {
    std::array<int, kKindCount> rows{};
    for (int kind = 0; kind < kKindCount; ++kind)
        rows[kind] = kind;
    std::sort(rows.begin(), rows.end(), [](int a, int b) { return kKindMark[a].top < kKindMark[b].top; });
    return rows;
}

// A coordinate a 16-bit point cannot hold keeps its earlier value.
std::int16_t fitted(std::int64_t value, std::int16_t earlier) {
    if (value < INT16_MIN || value > INT16_MAX)
        return earlier;
    return static_cast<std::int16_t>(value);
}

}  // namespace

int kind_at(int x, int y, int dpi) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (covers(kKindMark[kind], x, y, dpi) || covers(kKindLabel[kind], x, y, dpi))
            return kind;
    }
    return -1;
}

int kind_after_step(int current, bool down) {
    const std::array<int, kKindCount> rows = kinds_top_to_bottom();
    const auto found = std::find(rows.begin(), rows.end(), current);
    if (found == rows.end())
        return down ? rows.front() : rows.back();
    const int row = static_cast<int>(found - rows.begin());
    return rows[(row + (down ? 1 : kKindCount - 1)) % kKindCount];
}

ZoomPoint zoom_origin_from_cursor(ZoomPoint earlier, std::optional<CursorPoint> cursor) {
    if (!cursor)
        return ZoomPoint();
    return ZoomPoint{fitted(cursor->x, earlier.x), fitted(cursor->y, earlier.y)};
}

}  // namespace settings_dialog
