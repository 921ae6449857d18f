// What a window's GL (win32/gl/window_gl.h) reads of the driver without
// Windows: whether an OpenGL or WGL extension string (names separated by
// blanks) lists an extension, a whole name, so that
// "WGL_EXT_swap_control_tear" does not stand for "WGL_EXT_swap_control".
#pragma once

namespace renderer {

bool lists_extension(const char* extensions, const char* name);

}  // namespace renderer
