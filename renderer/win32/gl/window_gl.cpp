#include "renderer/win32/gl/window_gl.h"

// after windows.h and gl.h (gl_api.h), which they need
#include <GL/glext.h>
#include <GL/wglext.h>

#include <new>

#include "common/win32/struct_sizes.h"
#include "common/win32/system_library.h"
#include "renderer/window_gl.h"

namespace renderer {
namespace {

// RGBA, 16 colour and 16 depth bits, double-buffered, drawn by OpenGL into a window.
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

// Fills the lists from `base` on with bitmaps of the system font. Without
// them the text would draw nothing; a failure only leaves it invisible.
void make_font_lists(const GlApi& gl, HDC dc, GLuint base) noexcept {
    const win32::ScopedSelectObject font(dc, GetStockObject(SYSTEM_FONT));
    gl.wglUseFontBitmapsA(dc, 0, kFontLists, base);
    // The space comes as an empty bitmap, whose advance Mesa (as Wine uses it)
    // drops when it draws the lists in a batch ("60.0fps"); one blank pixel
    // gives it a body. Elsewhere this makes the same list as before.
    INT space_width = 0;
    if (GetCharWidth32A(dc, ' ', ' ', &space_width) && space_width > 0) {
        static const GLubyte blank[4] = {};
        gl.glNewList(base + ' ', GL_COMPILE);
        gl.glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(space_width), 0.0f, blank);
        gl.glEndList();
    }
}

// A WGL extension of the current context. No library exports them, so their
// types are the Khronos registry's (wglext.h): PFNWGLSWAPINTERVALEXTPROC.
template <typename Function>
Function gl_extension(const GlApi& gl, const char* name) {
    const PROC address = gl.wglGetProcAddress(name);
    return reinterpret_cast<Function>(reinterpret_cast<win32::AnyFunction>(address));
}

const char* wgl_extensions(const GlApi& gl, HDC dc) {
    if (const auto arb = gl_extension<PFNWGLGETEXTENSIONSSTRINGARBPROC>(gl, "wglGetExtensionsStringARB"))
        return arb(dc);
    if (const auto ext = gl_extension<PFNWGLGETEXTENSIONSSTRINGEXTPROC>(gl, "wglGetExtensionsStringEXT"))
        return ext();
    return nullptr;
}

}  // namespace

WindowGl::WindowGl(const GlApi& gl, HWND window) noexcept : gl_(gl), dc_(window) {}

WindowGl::~WindowGl() {
    if (current())
        gl_.wglMakeCurrent(nullptr, nullptr);
}

std::unique_ptr<WindowGl> WindowGl::make(const GlApi& gl, HWND window, const char*& failed_step) noexcept {
    std::unique_ptr<WindowGl> made(new (std::nothrow) WindowGl(gl, window));
    failed_step = made ? made->set_up() : "malloc";
    if (failed_step)
        made.reset();
    return made;
}

const char* WindowGl::set_up() noexcept {
    if (!dc_)
        return "GetDC";
    const PIXELFORMATDESCRIPTOR pfd = pixel_format_request();
    const int format = ChoosePixelFormat(dc(), &pfd);
    if (format == 0)
        return "ChoosePixelFormat";
    if (!SetPixelFormat(dc(), format, &pfd))
        return "SetPixelFormat";
    context_ = UniqueGlContext(gl_.wglCreateContext(dc()), GlContextDeleter{gl_.wglDeleteContext});
    if (!context_)
        return "wglCreateContext";
    if (!make_current())
        return "wglMakeCurrent";
    make_robust();
    scene_.font_list_base = gl_.glGenLists(kFontLists);
    make_font_lists(gl_, dc(), scene_.font_list_base);
    return nullptr;
}

// Where the driver offers it, a context that reports a reset (a driver
// reset, a driver updated under the program) instead of failing without a
// word. It is made with the first context current, which then goes; where
// anything of it fails, the first context stays.
void WindowGl::make_robust() noexcept {
    if (!lists_extension(wgl_extensions(gl_, dc()), "WGL_ARB_create_context_robustness"))
        return;
    const auto create = gl_extension<PFNWGLCREATECONTEXTATTRIBSARBPROC>(gl_, "wglCreateContextAttribsARB");
    if (!create)
        return;
    const int attributes[] = {WGL_CONTEXT_FLAGS_ARB, WGL_CONTEXT_ROBUST_ACCESS_BIT_ARB,
                              WGL_CONTEXT_RESET_NOTIFICATION_STRATEGY_ARB, WGL_LOSE_CONTEXT_ON_RESET_ARB, 0};
    UniqueGlContext robust(create(dc(), nullptr, attributes), GlContextDeleter{gl_.wglDeleteContext});
    if (!robust || !gl_.wglMakeCurrent(dc(), robust.get())) {
        make_current();
        return;
    }
    const auto reset_status = gl_extension<PFNGLGETGRAPHICSRESETSTATUSARBPROC>(gl_, "glGetGraphicsResetStatusARB");
    if (!reset_status) {
        make_current();
        return;
    }
    context_ = std::move(robust);
    reset_status_ = reset_status;
}

bool WindowGl::was_reset() const noexcept {
    return reset_status_ && reset_status_() != GL_NO_ERROR;
}

bool WindowGl::make_current() const noexcept {
    return gl_.wglMakeCurrent(dc(), context_.get()) != FALSE;
}

bool WindowGl::current() const noexcept {
    return context_ && gl_.wglGetCurrentContext() == context_.get();
}

bool WindowGl::request_swap_interval() const noexcept {
    if (!lists_extension(wgl_extensions(gl_, dc()), "WGL_EXT_swap_control"))
        return false;
    const auto swap_interval = gl_extension<PFNWGLSWAPINTERVALEXTPROC>(gl_, "wglSwapIntervalEXT");
    return swap_interval && swap_interval(1);
}

}  // namespace renderer
