// Owners of the Windows handles both programs hold. Each releases its handle
// once, with the call that matches how it was obtained; each deleter is a
// small struct, so the __stdcall call sits inside it. Nothing here throws.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace win32 {

// A device context from GetDC, released with ReleaseDC for the same window
// (null: the screen).
class WindowDc {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
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

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    void swap(WindowDc& other) noexcept {
        std::swap(window_, other.window_);
        std::swap(dc_, other.dc_);
    }

    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// BeginPaint / EndPaint around one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }

    HDC get() const noexcept { return dc_; }
    const RECT& dirty() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

struct MemoryDcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
// A DC from CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

struct GdiObjectDeleter {
    void operator()(void* object) const noexcept { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
// A GDI object the program created (never a stock object).
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniqueFont = GdiObject<HFONT>;
using UniquePen = GdiObject<HPEN>;

// A GDI object selected into a DC for the life of this value. A failed
// selection (null or HGDI_ERROR) leaves nothing to undo.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (selected())
            SelectObject(dc_, previous_);
    }

    bool selected() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window this program made, destroyed with DestroyWindow on reset or when
// its owner goes. A window the system destroyed first (with its parent, or
// as it closed) must be released, at WM_NCDESTROY as WindowBase does, so
// that nothing is destroyed twice.
class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND window) noexcept : window_(window) {}
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;
    UniqueWindow(UniqueWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    UniqueWindow& operator=(UniqueWindow&& other) noexcept {
        UniqueWindow(std::move(other)).swap(*this);
        return *this;
    }
    ~UniqueWindow() { reset(); }

    HWND get() const noexcept { return window_; }
    explicit operator bool() const noexcept { return window_ != nullptr; }
    void reset() noexcept {
        if (window_)
            DestroyWindow(std::exchange(window_, nullptr));
    }
    // Forgets the window without destroying it.
    void release() noexcept { window_ = nullptr; }

private:
    void swap(UniqueWindow& other) noexcept { std::swap(window_, other.window_); }

    HWND window_ = nullptr;
};

// A kernel handle closed with CloseHandle; null and INVALID_HANDLE_VALUE
// both count as none.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        UniqueHandle(std::move(other)).swap(*this);
        return *this;
    }
    ~UniqueHandle() { reset(); }

    HANDLE get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    void reset() noexcept {
        if (handle_)
            CloseHandle(std::exchange(handle_, nullptr));
    }

private:
    void swap(UniqueHandle& other) noexcept { std::swap(handle_, other.handle_); }

    HANDLE handle_ = nullptr;
};

}  // namespace win32
