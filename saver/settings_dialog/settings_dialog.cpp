#include "saver/settings_dialog/settings_dialog.h"

#include <memory>

#include "common/contract.h"
#include "common/win32/display_dpi.h"
#include "common/win32/focus_cues.h"
#include "common/win32/geometry.h"
#include "saver/settings_dialog/caption_zoom.h"
#include "saver/settings_dialog/dialog_logic.h"
#include "saver/settings_dialog/retained_gradient.h"
#include "saver/settings_dialog/settings_dialog_window.h"
#include "saver/settings_dialog/win32_path_forms.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/settings_file.h"

namespace settings_dialog {
namespace {

constexpr char kClassName[] = "Ember_Lantern_P";

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

void SettingsDialog::on_command(WPARAM wparam) noexcept {
    if (HIWORD(wparam) == BN_CLICKED)
        button_clicked(LOWORD(wparam));
}

void SettingsDialog::button_clicked(int control_id) {
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
            on_command(wparam);
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
            if (LOWORD(wparam) == WA_INACTIVE)
                remember_focus();
            else if (!HIWORD(wparam) && restore_focus())
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

void show_settings_dialog(HINSTANCE instance, shared::Settings& settings, const std::string& program_folder) {
    // The dialog lives until the program ends after it has closed.
    static const Win32PathForms path_forms;
    auto dialog =
        std::make_unique<SettingsDialog>(instance, settings, shared::settings_file_path(program_folder), path_forms);
    if (dialog->load())
        dialog->show_modal();
}

}  // namespace settings_dialog
