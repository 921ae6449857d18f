#include "saver/settings_dialog/win32/settings_dialog.h"

#include <memory>
#include <optional>

#include "common/contract.h"
#include "common/win32/display_dpi.h"
#include "common/win32/focus_cues.h"
#include "common/win32/geometry.h"
#include "saver/button/property_set.h"
#include "saver/settings_dialog/music_choice.h"
#include "saver/settings_dialog/win32/gradient_rows.h"
#include "saver/settings_dialog/win32/layout.h"
#include "saver/settings_dialog/win32/shell_calls.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/texts.h"
#include "saver/shared/win32/settings_file.h"

namespace settings_dialog {
namespace {

constexpr char kClassName[] = "Ember_Lantern_P";

// Each button's persisted property set as the dialog's stored layout holds
// it: the caption and the design font; everything else keeps its default.
button::PropertyBag stored_properties(const char* caption) {
    return {{"Caption", std::string(caption)}, {"Font", button::design_font()}};
}

}  // namespace

bool SettingsDialog::load() noexcept {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_EMBER_LANTERN));
    if (!win32::register_window_class(instance_, wc))
        return false;
    // Sized once it exists: only then does it know the scale of its monitor.
    if (!create_window(kExStyle, kClassName, contract::kSettingsDialogCaption, kStyle, 0, 0, 0, 0, nullptr, instance_))
        return false;
    lay_out(win32::window_dpi(hwnd()));
    win32::start_with_focus_cues_hidden(hwnd());
    Form_Load();
    return true;
}

void SettingsDialog::show_modal() noexcept {
    // The window got its size before its controls existed; showing it is
    // when the dialog paints its gradients.
    Form_Resize();
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    SetFocus(panel_.hwnd());
    MSG message;
    while (!closed_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (is_tab_key_for(hwnd(), message)) {
            step_focus(hwnd(), tab_order());
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

LRESULT SettingsDialog::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    switch (message) {
        case WM_SIZE:
            if (wparam != SIZE_MINIMIZED && IsWindowVisible(hwnd()))
                Form_Resize();
            return 0;
        case WM_ERASEBKGND:
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paint_message(message, wparam, lparam, [this](HDC dc) { show_gradient(dc, hwnd(), gradient_); });
        case WM_COMMAND:
            command(LOWORD(wparam), HIWORD(wparam));
            return 0;
        case WM_DPICHANGED: {
            // The system's suggested place keeps the dialog where the user
            // dragged it; the size comes from the layout, to the pixel.
            const auto* suggested = reinterpret_cast<const RECT*>(lparam);
            const POINT top_left{suggested->left, suggested->top};
            lay_out(LOWORD(wparam), &top_left);
            return 0;
        }
        case WM_ACTIVATE:
            // The music panel is where the dialog starts.
            if (LOWORD(wparam) == WA_INACTIVE)
                focus_memory_.remember(hwnd());
            else if (!HIWORD(wparam) && focus_memory_.restore(hwnd(), panel_.hwnd()))
                return 0;
            break;
        case WM_SETCURSOR:
            if (wait_cursor_) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            Form_Unload();
            return 0;
        case WM_DESTROY:
            closed_ = true;
            return 0;
        default:
            break;
    }
    return default_handling(message, wparam, lparam);
}

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
    repeat_.show_track(settings_.BGM_RepeatTrack);
    // The file, by the name the user chose it.
    panel_.show_file_name(shown_file_name(settings_.BGM_File));
    // The caption zooms out of the mouse position.
    take_zoom_origin_from_cursor();
    ZoomOpen(hwnd());
    // No hourglass left over.
    wait_cursor_ = false;
}

// Form_Resize: the window's gradient, then the panel's, which lies over it.
void SettingsDialog::Form_Resize() noexcept {
    const RECT client = win32::client_rect(hwnd());
    retain_gradient(gradient_, client.right, client.bottom, GradientSurface::Window);
    panel_.paint_gradient();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsDialog::Form_Unload() noexcept {
    ZoomClose(hwnd());
    DestroyWindow(hwnd());
}

bool SettingsDialog::create_controls() noexcept {
    if (!panel_.create(hwnd(), dpi_, kIdPanel))
        return false;
    repeat_.create(panel_.hwnd(), instance_, kIdRepeat, dpi_);
    // In the tab order after the repeat box, so created after it.
    create_button(cmd_bgm_, panel_.hwnd(), kIdCmdBgm, kCmdBgm, texts::kFileButton);
    create_button(cmd_set_, hwnd(), kIdCmdSet, kCmdSet, texts::kSaveButton);
    create_button(cmd_can_, hwnd(), kIdCmdCan, kCmdCan, texts::kCancelButton);
    create_button(cmd_etc_, hwnd(), kIdCmdEtc, kCmdEtc, texts::kWebButton);
    return true;
}

void SettingsDialog::size_client(const POINT* top_left) noexcept {
    const SIZE client{shared::pixels_from_twips(kClientWidthTwips, dpi_),
                      shared::pixels_from_twips(kClientHeightTwips, dpi_)};
    win32::size_for_client(hwnd(), client, kStyle, kExStyle, dpi_, top_left);
}

void SettingsDialog::lay_out(int dpi, const POINT* top_left) noexcept {
    dpi_ = dpi;
    if (!panel_.hwnd()) {  // first time: the controls are made at this scale
        size_client(top_left);
        create_controls();
        return;
    }
    panel_.rescale(dpi_);
    repeat_.rescale(dpi_);
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

// Shows a music kind, at loading and whenever one is chosen: both buttons of
// the kind disabled, the marks shown, then what the kind needs enabled.
void SettingsDialog::show_kind() noexcept {
    cmd_bgm_.Enabled(false);
    repeat_.enable(false);
    const KindLook look = kind_look(settings_.BGM_Kind);
    panel_.show_kind(settings_.BGM_Kind);
    if (look.repeat_enabled)
        repeat_.enable(true);
    if (look.file_button_enabled)
        cmd_bgm_.Enabled(true);
}

void SettingsDialog::command(int control_id, WORD code) noexcept {
    if (control_id == kIdPanel) {
        if (const std::optional<int> kind = kind_chosen_by(code))
            choose_kind(*kind);
        return;
    }
    // Of the buttons, only a click; the repeat box's notices and the buttons'
    // property notices ask nothing of the dialog.
    if (code != BN_CLICKED)
        return;
    switch (control_id) {
        case kIdCmdBgm:
            Cmd_BGM_Click();
            break;
        case kIdCmdSet:
            Cmd_Set_Click();
            break;
        case kIdCmdCan:
            Form_Unload();
            break;
        case kIdCmdEtc:
            Cmd_Etc_Click();
            break;
        default:
            break;
    }
}

void SettingsDialog::choose_kind(int kind) noexcept {
    settings_.BGM_Kind = static_cast<std::int16_t>(kind);
    show_kind();
}

void SettingsDialog::Cmd_BGM_Click() noexcept {
    const std::optional<std::wstring> chosen = choose_music_file(shell_, hwnd(), instance_);
    if (!chosen)
        return;
    if (const std::optional<std::string> kept = kept_music_path(hwnd(), path_forms_, *chosen)) {
        settings_.BGM_File = *kept;
        // The name the user chose, not the short form kept for the ANSI calls.
        panel_.show_file_name(*chosen);
    }
}

void SettingsDialog::Cmd_Set_Click() noexcept {
    shared::Win32SettingsSystem system;
    // Not saved: say so, and leave the dialog open, so the choice is not lost
    // as if it had been kept.
    switch (save_choice(system, settings_, repeat_.text(), ini_path_)) {
        case SaveResult::Saved:
            Form_Unload();
            return;
        case SaveResult::Refused:
            MessageBoxA(hwnd(), texts::kRepeatOutOfRange, texts::kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
            repeat_.select_text();
            return;
        case SaveResult::NotWritten: {
            const std::string message = std::string(texts::kSaveFailed) + "\r\n\r\n" + ini_path_;
            MessageBoxA(hwnd(), message.c_str(), texts::kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
}

void SettingsDialog::Cmd_Etc_Click() noexcept {
    wait_cursor_ = true;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    shell_.ShellExecuteA(hwnd(), "open", texts::kWebAddress, "", "", SW_SHOWNORMAL);
    wait_cursor_ = false;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

std::vector<HWND> SettingsDialog::tab_order() const {
    return {panel_.hwnd(), repeat_.hwnd(), cmd_bgm_.hwnd(), cmd_set_.hwnd(), cmd_can_.hwnd(), cmd_etc_.hwnd()};
}

void show_settings_dialog(HINSTANCE instance, shared::Settings& settings, const std::string& program_folder) {
    // The dialog lives until the program ends after it has closed.
    static const Win32PathForms path_forms;
    auto dialog =
        std::make_unique<SettingsDialog>(instance, settings, shared::settings_file_path(program_folder), path_forms);
    if (dialog->load())
        dialog->show_modal();
}

}  // namespace settings_dialog
