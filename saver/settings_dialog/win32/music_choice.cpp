#include "saver/settings_dialog/win32/music_choice.h"

#include <utility>

#include "saver/button/property_set.h"
#include "saver/button/win32/command_paint.h"
#include "saver/settings_dialog/layout.h"
#include "saver/settings_dialog/music_choice.h"
#include "saver/shared/twips.h"

namespace settings_dialog {
namespace {

constexpr int kListHeight = 200;  // pixels below the box for the drop-down list, at 100 %
constexpr int kTextSize = 256;    // characters read of the box

// The box's window at `dpi`: its place, with room below for the list.
common::PixelRect box_window(int dpi) {
    common::PixelRect box = shared::pixels_from_twips(kRepeatBox, dpi);
    box.bottom += shared::scaled_pixels(kListHeight, dpi);
    return box;
}

}  // namespace

bool RepeatCombo::create(HWND panel, HINSTANCE instance, int control_id, int dpi) noexcept {
    font_.reset(button::create_caption_font(button::design_font(), dpi));
    const common::PixelRect box = box_window(dpi);
    window_ = CreateWindowExA(0, "COMBOBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                              box.left, box.top, box.width(), box.height(), panel,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance, nullptr);
    if (window_ && font_)
        SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return window_ != nullptr;
}

void RepeatCombo::rescale(int dpi) noexcept {
    // The box takes the new font before the old one is deleted.
    win32::UniqueFont font(button::create_caption_font(button::design_font(), dpi));
    if (window_) {
        const common::PixelRect box = box_window(dpi);
        SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        SetWindowPos(window_, nullptr, box.left, box.top, box.width(), box.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    font_ = std::move(font);
}

void RepeatCombo::show_track(std::int16_t track) noexcept {
    SetWindowTextA(window_, format_track(track).c_str());
    for (const std::string& entry : repeat_entries())
        SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

std::string RepeatCombo::text() const {
    char text[kTextSize] = {};
    GetWindowTextA(window_, text, sizeof text);
    return text;
}

void RepeatCombo::enable(bool enabled) noexcept {
    EnableWindow(window_, enabled ? TRUE : FALSE);
}

void RepeatCombo::select_text() noexcept {
    if (!IsWindowEnabled(window_))
        return;
    SetFocus(window_);
    SendMessageA(window_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

}  // namespace settings_dialog
