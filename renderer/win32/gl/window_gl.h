// Everything one window draws with, made in order when the window is set up
// and freed with it in reverse: the window's device context, its pixel
// format, the rendering context and the glyph lists of the frame-rate text;
// the scene's resources in it are the run's to make (gl_init) and free
// (gl_free). A window's pixel format can be set once only, so every try at a
// set-up needs a window of its own.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win32/handles.h"
#include "renderer/win32/gl/gl_api.h"
#include "renderer/win32/gl/scene_state.h"

namespace renderer {

class WindowGl {
public:
    // The resources of `window`, its context current on return. Null when a
    // step fails, with the step's name in `failed_step` ("GetDC",
    // "ChoosePixelFormat", "SetPixelFormat", "wglCreateContext",
    // "wglMakeCurrent"); what was made by then is freed.
    static std::unique_ptr<WindowGl> make(const GlApi& gl, HWND window, const char*& failed_step) noexcept;

    WindowGl(const WindowGl&) = delete;
    WindowGl& operator=(const WindowGl&) = delete;
    ~WindowGl();

    // Makes the context current again (after another window's was).
    bool make_current() const noexcept;
    bool current() const noexcept;

    // With the context current: asks the driver for one swap per refresh
    // (wglSwapIntervalEXT(1)) where the WGL extension string lists
    // WGL_EXT_swap_control; the interval belongs to the context, so every new
    // window asks again. True when the driver accepted it; whether it then
    // has any effect only the frames' pace can show.
    bool request_swap_interval() const noexcept;

    // With the context current: the driver reports that the context was
    // lost to a reset. Only a context made robust can tell (make_robust);
    // any other is never reported so.
    bool was_reset() const noexcept;
    bool robust() const noexcept { return reset_status_ != nullptr; }

    HDC dc() const noexcept { return dc_.get(); }
    SceneGl& scene() noexcept { return scene_; }

private:
    WindowGl(const GlApi& gl, HWND window) noexcept;
    const char* set_up() noexcept;
    void make_robust() noexcept;

    const GlApi& gl_;
    win32::WindowDc dc_;       // released last
    UniqueGlContext context_;  // deleted with the texture and glyph lists that live in it
    SceneGl scene_;
    GLenum(APIENTRY* reset_status_)() = nullptr;  // glGetGraphicsResetStatusARB of a robust context
};

}  // namespace renderer
