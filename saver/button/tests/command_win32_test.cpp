// The push button under Wine: its looks drawn into DIB sections pixel by
// pixel, and the real child window (notices, focus and capture, the retained
// surface, transparency, the hover timer).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/tests/dib_pixels.h"
#include "saver/button/win32/command.h"
#include "saver/button/win32/command_paint.h"

namespace button {
namespace {

constexpr std::uint32_t kMarker = 0x123456;  // 0x00RRGGBB, a colour no look uses

template <typename Paint>
Pixels draw(int width, int height, Paint paint) {
    return draw_into_dib(width, height, kMarker, paint);
}

Pixels picture_pixels(HBITMAP picture) {
    return draw(64, 25, [&](HDC dc) {
        win32::MemoryDc source(CreateCompatibleDC(dc));
        const win32::ScopedSelectObject select(source.get(), picture);
        BitBlt(dc, 0, 0, 64, 25, source.get(), 0, 0, SRCCOPY);
    });
}

bool close_to(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// Source rows (or columns) a frame pixel may come from: the same position in
// the 4-pixel corners, the nearest of the middle when the middle is
// stretched (a neighbour too, as GDI rounds its own way).
std::vector<int> sources(int at, int length, int picture_length) {
    if (at < 4)
        return {at};
    if (at >= length - 4)
        return {at - (length - picture_length)};
    const int middle = picture_length - 8, stretched = length - 8;
    if (middle == stretched)
        return {at};
    const int nearest = 4 + (at - 4) * middle / stretched;
    return {nearest, std::max(4, nearest - 1), std::min(picture_length - 5, nearest + 1)};
}

TEST(CommandPaint, EveryLookAtTheDialogsAndTheDefaultSize) {
    const StatePictures pictures(GetModuleHandleA(nullptr));
    const struct {
        StatePicture picture;
        bool reversed;
    } looks[] = {{StatePicture::Normal, false},          {StatePicture::HighLight, true},
                 {StatePicture::HighLightSelect, false}, {StatePicture::Selected, false},
                 {StatePicture::Pressed, true},          {StatePicture::Disable, false}};
    for (const SIZE size : {SIZE{69, 25}, SIZE{117, 28}}) {
        for (const auto& look : looks) {
            SCOPED_TRACE(testing::Message()
                         << size.cx << " x " << size.cy << ", picture " << static_cast<int>(look.picture));
            ASSERT_NE(pictures.get(look.picture), nullptr);
            const Pixels source = picture_pixels(pictures.get(look.picture));
            PaintRecord record;
            const Pixels p = draw(size.cx, size.cy, [&](HDC dc) {
                paint_look(dc, size.cx, size.cy, pictures.get(look.picture), look.reversed, record, shared::kDesignDpi);
            });
            int wrong = 0;
            for (int y = 0; y < size.cy; ++y) {
                for (int x = 0; x < size.cx; ++x) {
                    if (x >= 4 && x < size.cx - 4 && y >= 4 && y < size.cy - 4)
                        continue;
                    bool found = false;
                    for (int sy : sources(y, size.cy, 25))
                        for (int sx : sources(x, size.cx, 64))
                            found = found || p.at(x, y) == source.at(sx, sy);
                    if (!found && wrong++ == 0)
                        ADD_FAILURE() << "frame pixel " << x << "," << y << " is " << std::hex << p.at(x, y);
                }
            }
            // The body: white to RGB (198, 197, 215) over the height, or reversed.
            const std::uint32_t top = look.reversed ? 0xC6C5D7 : 0xFFFFFF, bottom = look.reversed ? 0xFFFFFF : 0xC6C5D7;
            for (int y = 4; y < size.cy - 4; ++y) {
                std::uint32_t want = 0;
                for (int shift : {0, 8, 16}) {
                    const int a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
                    want |= static_cast<std::uint32_t>(a + (b - a) * y / (size.cy - 1)) << shift;
                }
                EXPECT_TRUE(close_to(p.at(size.cx / 2, y), want, 1))
                    << "row " << y << ": " << std::hex << p.at(size.cx / 2, y);
            }
        }
    }
}

TEST(CommandPaint, GradientLeavesTheLastRowAndColumnToTheFrame) {
    GradientRecord record;
    const Pixels p = draw(69, 25, [&](HDC dc) { paint_gradient(dc, 69, 25, false, record); });
    EXPECT_EQ(p.at(0, 0), 0xFFFFFFu);
    EXPECT_TRUE(close_to(p.at(67, 23), 0xC6C5D7, 3)) << std::hex << p.at(67, 23);
    for (int x = 0; x < 69; ++x)
        EXPECT_EQ(p.at(x, 24), kMarker) << x;
    for (int y = 0; y < 25; ++y)
        EXPECT_EQ(p.at(68, y), kMarker) << y;
}

// A parent that records what its buttons tell it, and draws itself green.
class Host final : public win32::WindowBase {
public:
    struct Notice {
        WORD id, code;
        HWND from;
    };
    std::vector<Notice> notices;

    Host() {
        win32::WindowClass wc;
        wc.name = "command test host";
        win32::register_window_class(GetModuleHandleA(nullptr), wc);
        create_window(0, wc.name, "command test host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                      GetModuleHandleA(nullptr));
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        if (message == WM_COMMAND) {
            notices.push_back({LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)});
            return 0;
        }
        if (message == WM_PRINTCLIENT) {
            const RECT all{0, 0, 300, 200};
            const win32::UniqueBrush green(CreateSolidBrush(RGB(10, 200, 30)));
            FillRect(reinterpret_cast<HDC>(wparam), &all, green.get());
            return 0;
        }
        return default_handling(message, wparam, lparam);
    }
};

// What the control's window shows (its WM_PAINT drawing), 69 x 25.
Pixels shown(const Command& command) {
    return draw(69, 25, [&](HDC dc) { SendMessageA(command.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0); });
}

// Pixels within a few levels of `colour` (text may be smoothed).
int count_near(const Pixels& p, std::uint32_t colour) {
    int n = 0;
    for (const std::uint32_t c : p.data)
        n += close_to(c, colour, 40);
    return n;
}

constexpr std::uint32_t kNormalTopRing = 0xF3F3EE, kHighLightTopRing = 0xFFF0CF, kSelectedTopRing = 0xCEE7FF;
// Pressed sits a ring further in: its outline where the others' top ring is.
constexpr std::uint32_t kPressedOutline = 0x003C74;

// One host for all tests: under Wine without a window manager, hiding or
// destroying a shown top-level window waits two seconds. It lives until the
// process ends.
Host& shared_host() {
    static Host* const host = new Host;
    return *host;
}

class CommandWindow : public testing::Test {
protected:
    void SetUp() override {
        host_.notices.clear();
        ASSERT_TRUE(command_.create(host_.hwnd(), GetModuleHandleA(nullptr), 7, {300, 300, 1035, 375}));
    }
    Host& host_ = shared_host();
    Command command_;
};

TEST_F(CommandWindow, PlacedInTwipsTellsItsHostAndTakesFocusAndCaptureOnAPress) {
    RECT r{};
    GetWindowRect(command_.hwnd(), &r);
    MapWindowPoints(nullptr, host_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 89);
    EXPECT_EQ(r.bottom, 45);
    EXPECT_EQ(Command::from_window(command_.hwnd()), &command_);
    EXPECT_EQ(Command::from_window(host_.hwnd()), nullptr);
    EXPECT_FALSE(GetWindowLongA(command_.hwnd(), GWL_STYLE) & WS_TABSTOP) << "disabled until loaded";
    command_.ReadProperties(PropertyBag{{"Caption", std::string("OK")}});
    EXPECT_TRUE(GetWindowLongA(command_.hwnd(), GWL_STYLE) & WS_TABSTOP);
    command_.Initialize();
    command_.Caption("Go");
    ASSERT_EQ(host_.notices.size(), 1u);
    EXPECT_EQ(host_.notices[0].code, kNotifyPropertiesChanged);

    SendMessageA(command_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(command_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), command_.hwnd());
    EXPECT_EQ(GetCapture(), command_.hwnd());
    EXPECT_EQ(command_.fields().ButtonState, CommandState::HighLightSelect);
    SendMessageA(command_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_EQ(host_.notices.size(), 2u);
    EXPECT_EQ(host_.notices[1].code, BN_CLICKED);
    EXPECT_EQ(host_.notices[1].id, 7);
    EXPECT_EQ(host_.notices[1].from, command_.hwnd());
}

int clicks(const Host& host) {
    int n = 0;
    for (const auto& notice : host.notices)
        n += notice.code == BN_CLICKED;
    return n;
}

TEST_F(CommandWindow, OnlyAReleaseThatEndsAPressOnTheButtonClicksIt) {
    command_.ReadProperties(PropertyBag{});
    command_.Initialize();
    const auto clicks = [&] { return button::clicks(host_); };
    const HWND button = command_.hwnd();
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks(), 0) << "a release alone";

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(GetCapture(), button);
    SetCapture(host_.hwnd());
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks(), 0) << "a press whose capture the host took";
    ReleaseCapture();

    // The button's own release of its capture is no loss of it.
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks(), 1);
    SendMessageA(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks(), 2);
}

TEST_F(CommandWindow, SpaceClicksAtItsReleaseAndNoOtherKeyDoesAnything) {
    command_.ReadProperties(PropertyBag{});
    command_.Initialize();
    const HWND button = command_.hwnd();
    SetFocus(button);
    ASSERT_EQ(shown(command_).at(10, 2), kSelectedTopRing);
    // The key-up's lParam: the key was down before and is being released.
    constexpr LPARAM kDown = 1, kUp = 0xC0000001;
    for (const WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{'A'}}) {
        SendMessageA(button, WM_KEYDOWN, key, kDown);
        SendMessageA(button, WM_KEYUP, key, kUp);
    }
    EXPECT_EQ(clicks(host_), 0) << "Enter, Esc or a letter";
    EXPECT_EQ(shown(command_).at(10, 2), kSelectedTopRing);

    // The auto-repeat of a Space that went down elsewhere begins nothing.
    constexpr LPARAM kRepeat = 0x40000001;
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, kRepeat);
    SendMessageA(button, WM_KEYUP, VK_SPACE, kUp);
    EXPECT_EQ(clicks(host_), 0) << "a Space that went down elsewhere";
    EXPECT_EQ(shown(command_).at(10, 2), kSelectedTopRing);

    SendMessageA(button, WM_KEYDOWN, VK_SPACE, kDown);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, kRepeat);
    EXPECT_EQ(shown(command_).at(10, 2), kPressedOutline);
    EXPECT_EQ(clicks(host_), 0) << "clicked before the release";
    SendMessageA(button, WM_KEYUP, VK_SPACE, kUp);
    EXPECT_EQ(clicks(host_), 1);
    EXPECT_EQ(shown(command_).at(10, 2), kSelectedTopRing);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CommandWindow, PaintShowsTheRetainedLookAndACaptionChangeLeavesTheBody) {
    command_.ReadProperties(PropertyBag{});
    command_.Initialize();
    SendMessageA(command_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(shown(command_).at(10, 2), kHighLightTopRing);
    command_.Caption("New");
    EXPECT_EQ(shown(command_).at(10, 2), kHighLightTopRing) << "the caption change painted the body";
    // Reading Enabled draws Normal while the state stays HighLight; a repaint
    // of the window must show that look, not one made anew from the state.
    command_.Enabled();
    InvalidateRect(command_.hwnd(), nullptr, FALSE);
    UpdateWindow(command_.hwnd());
    EXPECT_EQ(command_.fields().ButtonState, CommandState::HighLight);
    EXPECT_EQ(shown(command_).at(10, 2), kNormalTopRing);
}

TEST_F(CommandWindow, TransparentShowsTheHostAndDisabledGreysTheCaption) {
    command_.ReadProperties(PropertyBag{{"Caption", std::string("MMMM")}, {"Visible", std::int32_t{0}}});
    const Pixels transparent = shown(command_);
    EXPECT_EQ(transparent.at(10, 2), 0x0AC81Eu) << "the host's own green";
    EXPECT_GT(count_near(transparent, 0), 10) << "the black caption still shows";
    command_.Visible(255);
    command_.Enabled(false);
    const Pixels disabled = shown(command_);
    EXPECT_NE(disabled.at(10, 2), 0x0AC81Eu);
    EXPECT_EQ(count_near(disabled, 0), 0);
    EXPECT_GT(count_near(disabled, GetSysColor(COLOR_3DSHADOW) & 0xFFFFFF), 10) << "no greyed caption";
}

TEST_F(CommandWindow, TheHoverTimerEndsHighLightOnceTheCursorIsElsewhere) {
    command_.ReadProperties(PropertyBag{});
    command_.Initialize();
    SetCursorPos(250, 180);
    SendMessageA(command_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(command_.fields().ButtonState, CommandState::HighLight);
    const DWORD start = GetTickCount();
    MSG message;
    while (command_.fields().ButtonState == CommandState::HighLight && GetTickCount() - start < 2000) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        else
            Sleep(5);
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(command_.fields().ButtonState, CommandState::Normal);
    EXPECT_LE(elapsed, 500u) << "a 100 ms timer took " << elapsed << " ms";
    EXPECT_EQ(shown(command_).at(10, 2), kNormalTopRing);
}

}  // namespace
}  // namespace button
