#include "saver/settings_dialog/settings_dialog_window.h"

#include "saver/button/command_paint.h"
#include "saver/button/property_set.h"
#include "saver/settings_dialog/dialog_layout.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

constexpr int kRepeatListHeight = 200;  // pixels below the box for the drop-down list

// Each button's persisted property set as the dialog's stored layout holds
// it: the caption and the design font; everything else keeps its default.
button::PropertyBag stored_properties(const char* caption) {
    return {{"Caption", std::string(caption)}, {"Font", button::design_font()}};
}

}  // namespace

bool SettingsDialog::create_controls() noexcept {
    font_.reset(button::create_caption_font(button::design_font()));
    if (!panel_.create(hwnd()))
        return false;
    const shared::PixelRect box = shared::pixels_from_twips(kRepeatBox);
    repeat_ = CreateWindowExA(0, "COMBOBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                              box.left, box.top, box.width, box.height + kRepeatListHeight, panel_.hwnd(),
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
