#include "saver/settings_dialog/win32/settings_dialog.h"

#include <memory>
#include <optional>

#include "common/contract.h"
#include "common/win32/display_dpi.h"
#include "common/win32/focus_cues.h"
#include "common/win32/geometry.h"
#include "saver/button/property_set.h"
#include "saver/button/win32/command_paint.h"
#include "saver/settings_dialog/win32/file_chooser.h"
#include "saver/settings_dialog/win32/retained_gradient.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/texts.h"
#include "saver/shared/win32/settings_file.h"

namespace settings_dialog {
namespace {

constexpr char kClassName[] = "Ember_Lantern_P";
constexpr int kRepeatListHeight = 200;  // pixels below the box for the drop-down list
constexpr int kRepeatTextSize = 256;    // characters read of the repeat box

// Screen point, in pixels, the caption zoom starts from and returns to; set
// from the cursor position when a dialog loads, (0, 0) until then.
ZoomPoint ZoomOrigin;

RECT zoom_origin_rect() {
    return RECT{ZoomOrigin.x, ZoomOrigin.y, ZoomOrigin.x, ZoomOrigin.y};
}

// A caption bar zooms from ZoomOrigin out to the window's screen rectangle.
void ZoomOpen(HWND window) {
    const RECT to = win32::window_rect(window);
    const RECT from = zoom_origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

// The mirror image: from the window's rectangle into ZoomOrigin.
void ZoomClose(HWND window) {
    const RECT from = win32::window_rect(window);
    const RECT to = zoom_origin_rect();
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

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
        if (navigate(message))
            continue;
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
            if (HIWORD(wparam) == BN_CLICKED)
                button_clicked(LOWORD(wparam));
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

void SettingsDialog::Cmd_BGM_Click() noexcept {
    if (const std::optional<std::wstring> chosen = choose_music_file(shell_, hwnd(), instance_))
        take_music_file(*chosen);
}

void SettingsDialog::take_music_file(const std::wstring& chosen) noexcept {
    if (const std::optional<std::string> stored = stored_music_path(path_forms_, chosen)) {
        settings_.BGM_File = *stored;
        // The name the user chose, not the short form kept for the ANSI calls.
        panel_.show_file_name(chosen);
        return;
    }
    // Refused at once, the earlier choice kept: saved, the saver would be
    // silent every night with no word why. The name is shown as chosen, which
    // only the Unicode message box can.
    const std::wstring message = wide_from_ansi(texts::kFileNameUnusable) + L"\r\n\r\n" + chosen;
    MessageBoxW(hwnd(), message.c_str(), wide_from_ansi(texts::kProgramTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void SettingsDialog::Cmd_Set_Click() noexcept {
    char repeat_text[kRepeatTextSize] = {};
    GetWindowTextA(repeat_, repeat_text, sizeof repeat_text);
    shared::Win32SettingsSystem system;
    if (save_settings(system, settings_, repeat_text, ini_path_)) {
        Form_Unload();
        return;
    }
    // Not saved: say so, and leave the dialog open, so the choice is not lost
    // as if it had been kept.
    const std::string message = std::string(texts::kSaveFailed) + "\r\n\r\n" + ini_path_;
    MessageBoxA(hwnd(), message.c_str(), texts::kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

void SettingsDialog::Cmd_Etc_Click() noexcept {
    wait_cursor_ = true;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    shell_.ShellExecuteA(hwnd(), "open", texts::kWebAddress, "", "", SW_SHOWNORMAL);
    wait_cursor_ = false;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

std::vector<HWND> SettingsDialog::tab_order() const {
    return {panel_.hwnd(), repeat_, cmd_bgm_.hwnd(), cmd_set_.hwnd(), cmd_can_.hwnd(), cmd_etc_.hwnd()};
}

bool SettingsDialog::navigate(const MSG& message) noexcept {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd))
        return false;
    const std::vector<HWND> order = tab_order();
    const int count = static_cast<int>(order.size());
    // The control that has the focus, a child of it (the repeat box's edit
    // field) counting as that control; the panel only when none of its own
    // controls has it.
    const HWND focus = GetFocus();
    int current = -1;
    for (int i = count - 1; i >= 0 && current < 0; --i) {
        if (order[i] && (focus == order[i] || IsChild(order[i], focus)))
            current = i;
    }
    // A button control stays a window that takes messages while its Enabled
    // is false; it is then no tab stop.
    std::vector<bool> takes_focus;
    for (const HWND control : order)
        takes_focus.push_back(control && IsWindowEnabled(control) && IsWindowVisible(control) &&
                              (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP));
    win32::show_focus_cues(hwnd());
    if (const std::optional<int> next = next_tab_stop(takes_focus, current, GetKeyState(VK_SHIFT) < 0))
        SetFocus(order[*next]);
    return true;
}

// A window of our own class gets no dialog manager: left to itself, Windows
// gives the focus to the window itself whenever it is activated again (after
// Alt+Tab, a message box or the file chooser), and the keys no longer reach
// the control the user was at.
void SettingsDialog::remember_focus() noexcept {
    const HWND focus = GetFocus();
    if (focus && IsChild(hwnd(), focus))
        focus_at_deactivation_ = focus;
}

bool SettingsDialog::restore_focus() noexcept {
    HWND control = focus_at_deactivation_;
    // A control disabled or gone meanwhile cannot take it: then where the
    // dialog starts, the music panel.
    if (!control || !IsChild(hwnd(), control) || !IsWindowEnabled(control) || !IsWindowVisible(control))
        control = panel_.hwnd();
    if (!control)
        return false;
    SetFocus(control);
    return true;
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
