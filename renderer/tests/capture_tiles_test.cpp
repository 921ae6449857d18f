// The desktop capture and its tiles on the test display: a pattern that tells
// every pixel from its neighbours and every tile from the others is shown in
// a window, captured, drawn back through OpenGL in a window at the same
// place, and captured again from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "common/pixel_rect.h"
#include "common/win32/bitmaps.h"
#include "common/win32/handles.h"
#include "renderer/win32/desktop_capture.h"
#include "renderer/win32/gl/capture_tiles.h"
#include "renderer/win32/gl/gl_api.h"

namespace {

// Not a multiple of the tile side either way, and not at the screen's origin.
constexpr common::PixelRect kArea{37, 53, 37 + 600, 53 + 300};
// A 16-bit pixel format keeps 5 or 6 bits a channel, and may dither.
constexpr int kTolerance = 12;

std::uint32_t pattern(int x, int y) {
    const std::uint32_t red = (x * 67) & 0xFF, green = (y * 71) & 0xFF;
    const std::uint32_t blue = ((x >> 8) * 80 + (y >> 8) * 40) & 0xFF;  // the tile
    return red << 16 | green << 8 | blue;
}

std::uint32_t scaled(std::uint32_t colour, float level) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= static_cast<std::uint32_t>(((colour >> shift) & 0xFF) * level + 0.5f) << shift;
    return out;
}

// Pixels of `capture` further than the tolerance from `expected(x, y)`.
int mismatches(const renderer::DesktopCapture& capture, const std::function<std::uint32_t(int, int)>& expected) {
    int count = 0;
    for (int y = 0; y < capture.height(); ++y) {
        for (int x = 0; x < capture.width(); ++x) {
            const std::uint32_t got = capture.pixels()[y * capture.width() + x], want = expected(x, y);
            for (int shift = 0; shift <= 16; shift += 8) {
                if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) >
                    kTolerance) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

// Waits (5 s at most) until the screen over kArea shows what `expected` says,
// calling `paint` before each look; returns the mismatches of the last capture.
int screen_mismatches(
    const std::function<std::uint32_t(int, int)>& expected,
    const std::function<void()>& paint = [] {}) {
    int count = -1;
    for (int i = 0; i < 100 && count != 0; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        paint();
        const renderer::DesktopCapture capture = renderer::DesktopCapture::take(kArea);
        count = capture ? mismatches(capture, expected) : -1;
        if (count != 0)
            Sleep(50);
    }
    return count;
}

struct WindowDeleter {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// A window that paints nothing of its own: no background, no text.
UniqueWindow popup_over_area(DWORD visible) {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "capture test";
        return RegisterClassA(&wc);
    }();
    return UniqueWindow(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(atom), "capture test",
                                        WS_POPUP | visible, kArea.left, kArea.top, kArea.width(), kArea.height(),
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

TEST(CaptureTiles, TheDesktopComesBackPixelForPixelAtEachLevel) {
    renderer::GlApi gl;
    ASSERT_TRUE(gl.load());

    // The "desktop": the pattern painted into a window of its own.
    std::uint32_t* pixels = nullptr;
    const win32::UniqueBitmap picture = win32::make_dib_section(kArea.width(), kArea.height(), &pixels);
    ASSERT_TRUE(picture);
    for (int y = 0; y < kArea.height(); ++y) {
        for (int x = 0; x < kArea.width(); ++x)
            pixels[y * kArea.width() + x] = pattern(x, y);
    }
    UniqueWindow desktop = popup_over_area(WS_VISIBLE);
    ASSERT_TRUE(desktop);
    const auto paint = [&] {
        const win32::WindowDc dc(desktop.get());
        win32::draw_bitmap(dc.get(), picture.get(), RECT{0, 0, kArea.width(), kArea.height()});
        GdiFlush();
    };
    ASSERT_EQ(screen_mismatches([](int x, int y) { return pattern(x, y); }, paint), 0)
        << "the capture differs from what the screen shows";
    const renderer::DesktopCapture capture = renderer::DesktopCapture::take(kArea);
    ASSERT_TRUE(capture);
    ASSERT_EQ(capture.width(), kArea.width());
    ASSERT_EQ(capture.height(), kArea.height());

    desktop.reset();

    // The renderer's window in its place, set up hidden as the renderer does;
    // once shown, GDI paints the capture until the first OpenGL frame.
    const UniqueWindow window = popup_over_area(0);
    const win32::WindowDc dc(window.get());
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 16;
    ASSERT_TRUE(SetPixelFormat(dc.get(), ChoosePixelFormat(dc.get(), &pfd), &pfd));
    const renderer::UniqueGlContext context(gl.wglCreateContext(dc.get()),
                                            renderer::GlContextDeleter{gl.wglDeleteContext});
    ASSERT_TRUE(context && gl.wglMakeCurrent(dc.get(), context.get()));
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    EXPECT_EQ(screen_mismatches([](int x, int y) { return pattern(x, y); }, [&] { capture.paint(dc.get()); }), 0)
        << "the capture painted with GDI does not show";

    gl.glEnable(GL_BLEND);  // as the scene draws, additively
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    {
        const renderer::CaptureTiles tiles(gl, capture.pixels(), capture.width(), capture.height());
        ASSERT_FALSE(tiles.empty());
        for (const float level : {1.0f, 0.5f, 0.0f}) {
            gl.glClear(GL_COLOR_BUFFER_BIT);
            tiles.draw(level);
            gl.glFinish();
            SwapBuffers(dc.get());
            EXPECT_EQ(screen_mismatches([&](int x, int y) { return scaled(pattern(x, y), level); }), 0)
                << "at level " << level;
        }
    }
    gl.wglMakeCurrent(nullptr, nullptr);
}

}  // namespace
