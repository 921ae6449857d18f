#include "saver/settings_dialog/zoom_point.h"

namespace settings_dialog {
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

}  // namespace settings_dialog
