// The pixel format of the renderer's window and its OpenGL rendering context.
#pragma once

#include <windows.h>

#include "renderer/win32/gl_api.h"

namespace renderer {

// Gives `dc` the pixel format the renderer asks for (RGBA, 16 colour and 16
// depth bits, double-buffered, drawn by OpenGL into a window), then creates a
// rendering context into `context` and makes it current on `dc`. Null on
// success, otherwise the name of the step that failed: "ChoosePixelFormat",
// "SetPixelFormat", "wglCreateContext" or "wglMakeCurrent".
const char* make_gl_context(const GlApi& gl, HDC dc, UniqueGlContext& context) noexcept;

}  // namespace renderer
