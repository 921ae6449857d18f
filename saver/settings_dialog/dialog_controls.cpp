#include "saver/settings_dialog/settings_dialog_window.h"

#include <utility>

#include "common/win32/display_dpi.h"
#include "common/win32/geometry.h"
#include "saver/button/command_paint.h"
#include "saver/button/property_set.h"
#include "saver/settings_dialog/dialog_logic.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

constexpr int kRepeatListHeight = 200;  // pixels below the box for the drop-down list

// Each button's persisted property set as the dialog's stored layout holds
// it: the caption and the design font; everything else keeps its default.
button::PropertyBag stored_properties(const char* caption) {
    return {{"Caption", std::string(caption)}, {"Font", button::design_font()}};
}

// The repeat box's window at `dpi`: its place, with room below for the list.
common::PixelRect repeat_window(int dpi) {
    common::PixelRect box = shared::pixels_from_twips(kRepeatBox, dpi);
    box.bottom += shared::scaled_pixels(kRepeatListHeight, dpi);
    return box;
}

}  // namespace

bool SettingsDialog::create_controls() noexcept {
    font_.reset(button::create_caption_font(button::design_font(), dpi_));
    if (!panel_.create(hwnd(), dpi_))
        return false;
    const common::PixelRect box = repeat_window(dpi_);
    repeat_ = CreateWindowExA(0, "COMBOBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                              box.left, box.top, box.width(), box.height(), panel_.hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRepeat)), instance_, nullptr);
    if (repeat_ && font_)
        SendMessageA(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // In the tab order after the repeat box, so created after it.
    create_button(cmd_bgm_, panel_.hwnd(), kIdCmdBgm, kCmdBgm, texts::kFileButton);
    create_button(cmd_set_, hwnd(), kIdCmdSet, kCmdSet, texts::kSaveButton);
    create_button(cmd_can_, hwnd(), kIdCmdCan, kCmdCan, texts::kCancelButton);
    create_button(cmd_etc_, hwnd(), kIdCmdEtc, kCmdEtc, texts::kWebButton);
    return true;
}

void SettingsDialog::size_client(const POINT* top_left) noexcept {
    const int width = shared::pixels_from_twips(kClientWidthTwips, dpi_),
              height = shared::pixels_from_twips(kClientHeightTwips, dpi_);
    RECT outer{0, 0, width, height};
    win32::adjust_window_rect(outer, kStyle, kExStyle, dpi_);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{};
    if (top_left)
        at = *top_left;
    else
        flags |= SWP_NOMOVE;
    SetWindowPos(hwnd(), nullptr, at.x, at.y, win32::width_of(outer), win32::height_of(outer), flags);
    // A frame drawn at another scale than the one asked about (a system
    // that scales the caption bar later, or never) leaves the client area
    // off by its difference: made up once, measured.
    const RECT client = win32::client_rect(hwnd());
    if (client.right != width || client.bottom != height) {
        SetWindowPos(hwnd(), nullptr, 0, 0, win32::width_of(outer) + width - client.right,
                     win32::height_of(outer) + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SettingsDialog::lay_out(int dpi, const POINT* top_left) noexcept {
    dpi_ = dpi;
    if (!panel_.hwnd()) {  // first time: the controls are made at this scale
        size_client(top_left);
        create_controls();
        return;
    }
    // The repeat box takes the new font before the old one is deleted.
    win32::UniqueFont font(button::create_caption_font(button::design_font(), dpi_));
    panel_.rescale(dpi_);
    if (repeat_) {
        const common::PixelRect box = repeat_window(dpi_);
        SendMessageA(repeat_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        SetWindowPos(repeat_, nullptr, box.left, box.top, box.width(), box.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    font_ = std::move(font);
    cmd_bgm_.rescale(dpi_, kCmdBgm);
    cmd_set_.rescale(dpi_, kCmdSet);
    cmd_can_.rescale(dpi_, kCmdCan);
    cmd_etc_.rescale(dpi_, kCmdEtc);
    // Last: the new size repaints both gradients over the moved controls.
    size_client(top_left);
}

bool SettingsDialog::create_button(button::Command& command,
                                   HWND parent,
                                   int id,
                                   const shared::TwipsRect& place,
                                   const char* caption) noexcept {
    if (!command.create(parent, instance_, id, place))
        return false;
    command.ReadProperties(stored_properties(caption));
    return true;
}

}  // namespace settings_dialog
