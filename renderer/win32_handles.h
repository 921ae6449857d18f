// Owners of the Windows and GL handles the renderer holds; each releases its
// handle once, with the call that matches how it was obtained.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

#include "renderer/gl_api.h"

namespace renderer {

// A device context from GetDC, released with ReleaseDC for the same window
// (null for the screen).
class WindowDc {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& other) noexcept { swap(other); }
    WindowDc& operator=(WindowDc&& other) noexcept {
        WindowDc(std::move(other)).swap(*this);
        return *this;
    }
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    void swap(WindowDc& other) noexcept {
        std::swap(window_, other.window_);
        std::swap(dc_, other.dc_);
    }

    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// A GDI object selected into a DC for the life of this object.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (previous_ && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

struct GlContextDeleter {
    decltype(&::wglDeleteContext) delete_context = nullptr;
    void operator()(HGLRC context) const { delete_context(context); }
};
using UniqueGlContext = std::unique_ptr<std::remove_pointer_t<HGLRC>, GlContextDeleter>;

// Deleting a quadric needs no current context, but it is freed with the
// window it was made for.
struct QuadricDeleter {
    decltype(&::gluDeleteQuadric) delete_quadric = nullptr;
    void operator()(GLUquadric* quadric) const { delete_quadric(quadric); }
};
using UniqueQuadric = std::unique_ptr<GLUquadric, QuadricDeleter>;

}  // namespace renderer
