// The shared Windows foundation, under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/tests/dib_pixels.h"
#include "common/win32/bitmaps.h"
#include "common/win32/handles.h"
#include "common/win32/process_start.h"
#include "common/win32/window_base.h"

namespace {

// Records every message that reaches its object, with what hwnd() said then.
class RecordingWindow final : public win32::WindowBase {
public:
    HWND create(const char* caption) {
        win32::WindowClass wc;
        wc.name = "recording window";
        EXPECT_TRUE(win32::register_window_class(GetModuleHandleA(nullptr), wc));
        return create_window(0, wc.name, caption, WS_POPUP, 0, 0, 20, 20, nullptr, GetModuleHandleA(nullptr));
    }

    std::vector<std::pair<UINT, HWND>> seen;

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        seen.emplace_back(message, hwnd());
        return default_handling(message, wparam, lparam);
    }
};

TEST(WindowBase, ObjectKnowsItsWindowFromNcCreateThroughNcDestroy) {
    RecordingWindow first, second;
    HWND a = first.create("first");
    HWND b = second.create("second");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(first.hwnd(), a);
    ASSERT_FALSE(first.seen.empty());
    EXPECT_EQ(first.seen.front(), std::make_pair(static_cast<UINT>(WM_NCCREATE), a));

    // Two objects of one class each get only their own window's messages.
    first.seen.clear();
    second.seen.clear();
    SendMessageA(b, WM_APP, 0, 0);
    EXPECT_TRUE(first.seen.empty());
    ASSERT_EQ(second.seen.size(), 1u);
    EXPECT_EQ(second.seen[0], std::make_pair(static_cast<UINT>(WM_APP), b));

    DestroyWindow(a);
    ASSERT_FALSE(first.seen.empty());
    EXPECT_EQ(first.seen.back(), std::make_pair(static_cast<UINT>(WM_NCDESTROY), a))
        << "WM_NCDESTROY is handled while the object still knows its window";
    EXPECT_EQ(first.hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(second.hwnd(), b);
    DestroyWindow(b);
}

// A 4 x 3 bitmap whose pixel (x, y) is 0x00RRGG00 with RR = x + 1, GG = y + 1.
std::uint32_t source_pixel(int x, int y) {
    return static_cast<std::uint32_t>((x + 1) << 16 | (y + 1) << 8);
}
win32::UniqueBitmap make_source() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, 4, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win32::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int y = 0; bitmap && y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            static_cast<std::uint32_t*>(bits)[y * 4 + x] = source_pixel(x, y);
    return bitmap;
}

TEST(DrawBitmap, CopiesWithinItsPlaceAndNothingIntoAnEmptyOne) {
    constexpr std::uint32_t kMarker = 0x123456;
    const win32::UniqueBitmap source = make_source();
    ASSERT_TRUE(source);
    using Want = std::function<std::optional<POINT>(int x, int y)>;  // the source pixel that lands at (x, y)
    const struct {
        const char* name;
        RECT to;
        std::optional<RECT> from;  // none: the unscaled copy
        Want want;
    } cases[] = {
        {"unscaled, no more than the bitmap",
         {1, 1, 8, 6},
         std::nullopt,
         [](int x, int y) {
             return x >= 1 && x < 5 && y >= 1 && y < 4 ? std::optional(POINT{x - 1, y - 1}) : std::nullopt;
         }},
        {"unscaled, no more than the place",
         {2, 1, 4, 3},
         std::nullopt,
         [](int x, int y) {
             return x >= 2 && x < 4 && y >= 1 && y < 3 ? std::optional(POINT{x - 2, y - 1}) : std::nullopt;
         }},
        {"unscaled into an empty place", {3, 3, 3, 5}, std::nullopt, [](int, int) { return std::optional<POINT>(); }},
        {"stretched pixel by pixel",
         {0, 0, 4, 2},
         RECT{1, 1, 3, 2},
         [](int x, int y) {
             return x < 4 && y < 2 ? std::optional(POINT{1 + x / 2, 1}) : std::nullopt;
         }},
        {"a place of negative width is not mirrored",
         {4, 0, 0, 2},
         RECT{0, 0, 4, 2},
         [](int, int) { return std::optional<POINT>(); }},
        {"an empty part of the bitmap",
         {0, 0, 4, 2},
         RECT{0, 0, 0, 3},
         [](int, int) { return std::optional<POINT>(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels p = draw_into_dib(8, 6, kMarker, [&](HDC dc) {
            if (c.from)
                win32::draw_bitmap(dc, source.get(), c.to, *c.from);
            else
                win32::draw_bitmap(dc, source.get(), c.to);
        });
        ASSERT_EQ(p.data.size(), 48u);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x) {
                const std::optional<POINT> from = c.want(x, y);
                EXPECT_EQ(p.at(x, y), from ? source_pixel(from->x, from->y) : kMarker) << x << ", " << y;
            }
        }
    }
}

// Runs the helper beside this test program and returns its exit code, or -1
// when it did not end within the bound (a message box would keep it).
DWORD run_throwing_window(const char* mode) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    path = path.substr(0, path.find_last_of('\\')) + "\\throwing_window.exe";
    std::string command_line = "\"" + path + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(path.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return static_cast<DWORD>(-2);
    CloseHandle(info.hThread);
    const win32::UniqueHandle process(info.hProcess);
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        return static_cast<DWORD>(-1);
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

TEST(ProcessStart, AnUncaughtExceptionEndsTheProcessQuietlyWithCodeZero) {
    // Control: without the start-up, the runtime's own abort ends it otherwise.
    const DWORD unguarded = run_throwing_window("unguarded");
    EXPECT_NE(unguarded, 0u);
    EXPECT_NE(unguarded, 7u) << "the exception did not end the process at all";
    EXPECT_EQ(run_throwing_window("guarded"), 0u);
}

TEST(ProcessStart, NoCriticalErrorBoxAndTheModeIsKept) {
    SetErrorMode(SEM_NOGPFAULTERRORBOX);
    win32::start_process();
    const UINT mode = GetErrorMode();
    EXPECT_TRUE(mode & SEM_FAILCRITICALERRORS);
    EXPECT_TRUE(mode & SEM_NOGPFAULTERRORBOX) << "an inherited mode was dropped";
}

}  // namespace
