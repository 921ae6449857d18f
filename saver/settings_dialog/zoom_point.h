// The caption zoom's point: the screen point, in pixels, from which the
// dialog's caption bar zooms open and into which it zooms closed, taken from
// the cursor when the dialog loads (win32/caption_zoom.h draws the zoom).
#pragma once

#include <cstdint>
#include <optional>

namespace settings_dialog {

// Each coordinate a 16-bit signed integer.
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
