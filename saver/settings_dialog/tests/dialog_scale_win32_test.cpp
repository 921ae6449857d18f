// The settings dialog under Wine moved to a monitor of another scale: the
// system's WM_DPICHANGED lays the whole dialog out again, to the pixel, and
// back at 96 dpi everything is where it started.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "saver/settings_dialog/layout.h"
#include "saver/settings_dialog/win32/settings_dialog.h"
#include "saver/settings_dialog/win32/shell_calls.h"

namespace settings_dialog {
namespace {

int px(double twips, int dpi) {
    return static_cast<int>(std::floor(twips * dpi / 1440 + 0.5));
}

struct Placed {
    int left, top, width, height;
    bool operator==(const Placed& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

Placed in_parent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Placed expected(const shared::TwipsRect& t, int dpi) {
    return {px(t.left, dpi), px(t.top, dpi), px(t.width, dpi), px(t.height, dpi)};
}

LOGFONTA font_of(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST(DialogScale, EveryControlFollowsTheMonitorsScale) {
    shared::Settings settings;
    settings.BGM_Kind = shared::kMusicCd;
    const Win32PathForms path_forms;
    SettingsDialog dialog(GetModuleHandleA(nullptr), settings, "Z:\\nowhere\\Ember_Lantern.ini", path_forms);
    ASSERT_TRUE(dialog.load());
    HWND window = dialog.hwnd();
    HWND panel = FindWindowExA(window, nullptr, "Ember_Lantern_PicC", nullptr);
    ASSERT_TRUE(panel);
    struct Control {
        HWND parent;
        int id;
        shared::TwipsRect place;
    };
    const Control buttons[] = {{panel, kIdCmdBgm, kCmdBgm},
                               {window, kIdCmdEtc, kCmdEtc},
                               {window, kIdCmdSet, kCmdSet},
                               {window, kIdCmdCan, kCmdCan}};
    RECT first_window{};
    GetWindowRect(window, &first_window);

    for (int dpi : {120, 144, 192, 96}) {
        SCOPED_TRACE(dpi);
        RECT suggested = first_window;
        OffsetRect(&suggested, 10, 20);
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT client{}, outer{};
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        EXPECT_EQ(client.right, px(kClientWidthTwips, dpi));
        EXPECT_EQ(client.bottom, px(kClientHeightTwips, dpi));
        EXPECT_EQ(outer.left, suggested.left);  // where the system put it
        EXPECT_EQ(outer.top, suggested.top);
        EXPECT_TRUE(in_parent(panel) == expected(kPanel, dpi));
        for (const Control& c : buttons) {
            SCOPED_TRACE(c.id);
            EXPECT_TRUE(in_parent(GetDlgItem(c.parent, c.id)) == expected(c.place, dpi));
        }
        HWND repeat = GetDlgItem(panel, kIdRepeat);
        const Placed box = in_parent(repeat);
        EXPECT_EQ(box.left, px(kRepeatBox.left, dpi));
        EXPECT_EQ(box.width, px(kRepeatBox.width, dpi));
        EXPECT_EQ(font_of(repeat).lfHeight, -px(195, dpi));  // 9.75 points
        // Of the Shift-JIS character set, which GDI draws whatever the code page.
        EXPECT_EQ(font_of(repeat).lfCharSet, SHIFTJIS_CHARSET);
        // The kind chosen before the move is still shown.
        EXPECT_TRUE(IsWindowEnabled(repeat));
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace settings_dialog
