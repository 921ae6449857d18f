// The glyph lists of the frame-rate text: one display list per character code.
#pragma once

#include <windows.h>

#include "renderer/win32/gl_api.h"

namespace renderer {

constexpr GLsizei kFontLists = 255;  // character codes 0..254

// With the context current on `dc`: fills the kFontLists lists from `base` on
// with bitmaps of the system font. Without them the text would draw nothing;
// a failure only leaves the text invisible.
void make_font_lists(const GlApi& gl, HDC dc, GLuint base) noexcept;

}  // namespace renderer
