// The point the settings dialog's caption zoom starts from and returns to,
// taken from the cursor when the dialog loads. Portable logic: no Windows
// header.
#pragma once

#include <cstdint>
#include <optional>

namespace settings_dialog {

// Screen point, in pixels, each coordinate a 16-bit signed integer.
struct ZoomPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// A cursor position as the system reports it, in pixels.
struct CursorPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// The zoom point after reading the cursor: (0, 0) when it could not be read;
// otherwise the cursor's position, where a coordinate that a 16-bit point
// cannot hold keeps its `earlier` value.
ZoomPoint zoom_origin_from_cursor(ZoomPoint earlier, std::optional<CursorPoint> cursor);

}  // namespace settings_dialog
