#include "renderer/scene/overlay_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace scene {

OverlayText format_overlay(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const OverlayText text = vformat_overlay(format, args);
    va_end(args);
    return text;
}

OverlayText vformat_overlay(const char* format, std::va_list args) {
    OverlayText text;
    const int wanted = std::vsnprintf(text.chars, sizeof text.chars, format, args);
    if (wanted < 0) {
        // Some runtimes report a cut text as an error: keep what fitted.
        text.chars[kOverlayCapacity - 1] = '\0';
        text.length = static_cast<int>(std::strlen(text.chars));
        return text;
    }
    text.length = wanted < kOverlayCapacity ? wanted : kOverlayCapacity - 1;
    return text;
}

OverlayText format_fps_text(float fps) {
    return format_overlay("%5.1f fps", static_cast<double>(fps));
}

}  // namespace scene
