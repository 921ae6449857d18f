#include "saver/settings_dialog/settings_dialog_window.h"

#include <optional>

#include "common/win32/geometry.h"
#include "saver/settings_dialog/caption_zoom.h"
#include "saver/settings_dialog/dialog_logic.h"
#include "saver/settings_dialog/win32_path_forms.h"

namespace settings_dialog {

// Loading, under the ignore-and-continue rule: a step that fails is skipped.
void SettingsDialog::Form_Load() noexcept {
    // Centred across the screen, at a third of the free height.
    RECT window{};
    if (GetWindowRect(hwnd(), &window)) {
        const TwipsPoint at = dialog_position(shared::twips_from_pixels(GetSystemMetrics(SM_CXSCREEN), dpi_),
                                              shared::twips_from_pixels(GetSystemMetrics(SM_CYSCREEN), dpi_),
                                              shared::twips_from_pixels(win32::width_of(window), dpi_),
                                              shared::twips_from_pixels(win32::height_of(window), dpi_));
        SetWindowPos(hwnd(), nullptr, shared::pixels_from_twips(at.x, dpi_), shared::pixels_from_twips(at.y, dpi_), 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Every button control.
    for (button::Command* command : {&cmd_bgm_, &cmd_etc_, &cmd_set_, &cmd_can_})
        command->Initialize();
    // The controls of the music kind.
    show_kind();
    // The repeat box: the track, then the list of 0 to 30.
    SetWindowTextA(repeat_, format_track(settings_.BGM_RepeatTrack).c_str());
    for (const std::string& entry : repeat_entries())
        SendMessageA(repeat_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    // The file, by the name the user chose it.
    panel_.show_file_name(shown_file_name(settings_.BGM_File));
    // The caption zooms out of the mouse position.
    POINT cursor{};
    std::optional<CursorPoint> read;
    if (GetCursorPos(&cursor))
        read = CursorPoint{cursor.x, cursor.y};
    ZoomOrigin = zoom_origin_from_cursor(ZoomOrigin, read);
    ZoomOpen(hwnd());
    // No hourglass left over.
    wait_cursor_ = false;
}

// Shows a music kind, at loading and whenever one is chosen: both buttons of
// the kind disabled, the marks shown, then what the kind needs enabled.
void SettingsDialog::show_kind() noexcept {
    cmd_bgm_.Enabled(false);
    EnableWindow(repeat_, FALSE);
    const KindLook look = kind_look(settings_.BGM_Kind);
    panel_.show_kind();
    if (look.repeat_enabled)
        EnableWindow(repeat_, TRUE);
    if (look.file_button_enabled)
        cmd_bgm_.Enabled(true);
}

void SettingsDialog::kind_pressed(int kind) {
    settings_.BGM_Kind = static_cast<std::int16_t>(kind);
    show_kind();
}

void SettingsDialog::kind_stepped(bool down) {
    kind_pressed(kind_after_step(settings_.BGM_Kind, down));
}

}  // namespace settings_dialog
