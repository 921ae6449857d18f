// Text for the overlay drawn with display lists: one list per byte, so the
// text is limited to what one call can draw.
#pragma once

#include <cstdarg>

namespace scene {

constexpr int kOverlayCapacity = 256;  // bytes including the terminating NUL

struct OverlayText {
    char chars[kOverlayCapacity] = {};
    int length = 0;  // 0..kOverlayCapacity - 1, bytes before the NUL
};

// printf-style formatting into the overlay buffer; a longer result is cut at
// 255 bytes instead of overrunning the buffer.
OverlayText format_overlay(const char* format, ...)
#if defined(__MINGW32__)
    __attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The same with the arguments as a va_list.
OverlayText vformat_overlay(const char* format, std::va_list args);

// The frame-rate line, "%5.1f fps" (60 frames per second: " 60.0 fps").
OverlayText format_fps_text(float fps);

}  // namespace scene
