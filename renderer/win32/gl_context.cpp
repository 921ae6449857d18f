#include "renderer/win32/gl_context.h"

#include "common/win32/struct_sizes.h"

namespace renderer {
namespace {

PIXELFORMATDESCRIPTOR pixel_format_request() {
    PIXELFORMATDESCRIPTOR pfd{};
    EL_ASSERT_SHIPPED_SIZE(PIXELFORMATDESCRIPTOR, 40);
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 16;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

}  // namespace

const char* make_gl_context(const GlApi& gl, HDC dc, UniqueGlContext& context) noexcept {
    const PIXELFORMATDESCRIPTOR pfd = pixel_format_request();
    const int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0)
        return "ChoosePixelFormat";
    if (!SetPixelFormat(dc, format, &pfd))
        return "SetPixelFormat";
    context = UniqueGlContext(gl.wglCreateContext(dc), GlContextDeleter{gl.wglDeleteContext});
    if (!context)
        return "wglCreateContext";
    if (!gl.wglMakeCurrent(dc, context.get()))
        return "wglMakeCurrent";
    return nullptr;
}

}  // namespace renderer
