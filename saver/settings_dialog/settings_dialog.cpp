#include "saver/settings_dialog/settings_dialog.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "common/contract.h"
#include "common/win32/handles.h"
#include "common/win32/struct_sizes.h"
#include "common/win32/window_base.h"
#include "saver/button/command.h"
#include "saver/button/command_paint.h"
#include "saver/button/property_set.h"
#include "saver/settings_dialog/caption_zoom.h"
#include "saver/settings_dialog/dialog_layout.h"
#include "saver/settings_dialog/dialog_numbers.h"
#include "saver/settings_dialog/music_panel.h"
#include "saver/settings_dialog/retained_gradient.h"
#include "saver/settings_dialog/save_settings.h"
#include "saver/settings_dialog/shell_calls.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/settings_file.h"
#include "saver/shared/texts.h"
#include "saver/shared/win32_settings.h"

namespace settings_dialog {
namespace {

constexpr char kClassName[] = "Ember_Lantern_P";
// A fixed thin border and a title bar with only the close box; shown in the
// task bar, as the saver's one window a user works in.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

enum ControlId : int { kIdRepeat = 100, kIdCmdBgm, kIdCmdEtc, kIdCmdSet, kIdCmdCan };

// Bytes of the file chooser's buffer: the longest path Windows can name
// (32767 characters) at two bytes a character in a double-byte code page, and
// its NUL. A buffer too short for the chosen path makes the chooser fail as
// if cancelled.
constexpr DWORD kFileBufferSize = 2 * 32768;
// Characters read of the repeat box.
constexpr int kRepeatTextSize = 256;
// The chooser itself refuses a name that does not exist (and says so), so
// nothing is kept that the saver would silently drop at its next start; the
// read-only box means nothing here; and the program's current folder stays.
constexpr DWORD kFileChooserFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
constexpr int kRepeatListHeight = 200;  // pixels below the box for the drop-down list

// Each button's persisted property set as the dialog's stored layout holds
// it: the caption and the design font; everything else keeps its default.
button::PropertyBag stored_properties(const char* caption) {
    return {{"Caption", std::string(caption)}, {"Font", button::design_font()}};
}

class SettingsDialog final : public win32::WindowBase, private PanelEvents {
public:
    SettingsDialog(HINSTANCE instance, Settings& settings, std::string ini_path)
        : instance_(instance), settings_(settings), ini_path_(std::move(ini_path)), panel_(*this, instance) {}

    // Creates the window hidden with its controls, then runs Form_Load.
    bool load() noexcept;
    // Shows the dialog and runs its own message loop until it has closed.
    void show_modal() noexcept;

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
    bool create_controls() noexcept;
    bool create_button(button::Command& command,
                       HWND parent,
                       int id,
                       const TwipsRect& place,
                       const char* caption) noexcept;

    void Form_Load() noexcept;
    void Form_Resize() noexcept;
    void Form_Unload() noexcept;
    void show_kind() noexcept;
    void Cmd_BGM_Click() noexcept;
    void Cmd_Set_Click() noexcept;
    void Cmd_Etc_Click() noexcept;

    // PanelEvents
    void kind_pressed(int kind) override;  // a press on a kind's mark or name
    void child_command(WPARAM wparam, LPARAM lparam) override;

    void on_command(WPARAM wparam) noexcept;
    // Tab and Shift+Tab: the focus to the next control of the tab order that
    // can take it. True when the key was this dialog's.
    bool navigate(const MSG& message) noexcept;
    std::vector<HWND> tab_order() const;

    HINSTANCE instance_;
    Settings& settings_;
    std::string ini_path_;
    RetainedGradient gradient_;
    MusicPanel panel_;
    ShellCalls shell_;
    HWND repeat_ = nullptr;  // BGM_Repeat, a child of the panel
    button::Command cmd_bgm_, cmd_etc_, cmd_set_, cmd_can_;
    win32::UniqueFont font_;
    bool wait_cursor_ = false;  // the program-wide mouse pointer is the hourglass
    bool closed_ = false;
};

bool SettingsDialog::load() noexcept {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = CreateSolidBrush(RGB(192, 192, 192));  // lives with the class, as long as the program
    wc.icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_EMBER_LANTERN));
    if (!win32::register_window_class(instance_, wc))
        return false;
    RECT outer{0, 0, pixels_from_twips(kClientWidthTwips), pixels_from_twips(kClientHeightTwips)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    if (!create_window(kExStyle, kClassName, contract::kSettingsDialogCaption, kStyle, 0, 0, win32::width_of(outer),
                       win32::height_of(outer), nullptr, instance_))
        return false;
    create_controls();
    Form_Load();
    return true;
}

bool SettingsDialog::create_controls() noexcept {
    font_.reset(button::create_caption_font(button::design_font()));
    if (!panel_.create(hwnd()))
        return false;
    const PixelRect box = pixels_from_twips(kRepeatBox);
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
                                   const TwipsRect& place,
                                   const char* caption) noexcept {
    if (!command.create(parent, instance_, id, place))
        return false;
    command.ReadProperties(stored_properties(caption));
    return true;
}

// Loading, under the ignore-and-continue rule: a step that fails is skipped.
void SettingsDialog::Form_Load() noexcept {
    // Centred across the screen, at a third of the free height.
    RECT window{};
    if (GetWindowRect(hwnd(), &window)) {
        const TwipsPoint at = dialog_position(
            twips_from_pixels(GetSystemMetrics(SM_CXSCREEN)), twips_from_pixels(GetSystemMetrics(SM_CYSCREEN)),
            twips_from_pixels(win32::width_of(window)), twips_from_pixels(win32::height_of(window)));
        SetWindowPos(hwnd(), nullptr, pixels_from_twips(at.x), pixels_from_twips(at.y), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    // The file.
    panel_.show_file_name(settings_.BGM_File);
    // The caption zooms out of the mouse position.
    POINT cursor{};
    if (GetCursorPos(&cursor)) {
        // A coordinate that a 16-bit point cannot hold keeps its earlier value.
        if (cursor.x >= INT16_MIN && cursor.x <= INT16_MAX)
            ZoomOrigin.x = static_cast<std::int16_t>(cursor.x);
        if (cursor.y >= INT16_MIN && cursor.y <= INT16_MAX)
            ZoomOrigin.y = static_cast<std::int16_t>(cursor.y);
    } else {
        ZoomOrigin = ZoomPoint();
    }
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
    for (int kind = 0; kind < kKindCount; ++kind)
        panel_.show_mark(kind, false);
    for (int kind = 0; kind < kKindCount; ++kind)
        panel_.show_mark(kind, look.chosen[kind]);
    if (look.repeat_enabled)
        EnableWindow(repeat_, TRUE);
    if (look.file_button_enabled)
        cmd_bgm_.Enabled(true);
}

void SettingsDialog::kind_pressed(int kind) {
    settings_.BGM_Kind = static_cast<std::int16_t>(kind);
    show_kind();
}

// Form_Resize: the window's gradient, then the panel's, which lies over it.
void SettingsDialog::Form_Resize() noexcept {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const win32::WindowDc screen(hwnd());
    gradient_.paint(screen.get(), client.right, client.bottom, GradientSurface::Window);
    panel_.paint_gradient();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsDialog::Form_Unload() noexcept {
    ZoomClose(hwnd());
    DestroyWindow(hwnd());
}

void SettingsDialog::Cmd_BGM_Click() noexcept {
    OPENFILENAMEA chooser{};
    EL_ASSERT_SHIPPED_SIZE(OPENFILENAMEA, 88);
    // OPENFILENAME_SIZE_VERSION_400A, which the header works out with a cast
    // that no constant expression may hold.
    constexpr DWORD kChooserSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if defined(_WIN32) && !defined(_WIN64)
    static_assert(kChooserSize == 76, "the chooser's record without the fields Windows 2000 added");
#endif
    std::vector<char> file(kFileBufferSize, '\0');
    // Without the fields Windows 2000 added: no places bar, as the chooser
    // has always looked. No file-title buffer: nothing reads it, so nothing
    // may fail for its size.
    chooser.lStructSize = kChooserSize;
    chooser.hwndOwner = hwnd();
    chooser.hInstance = instance_;
    chooser.lpstrFilter = texts::kFileFilter;
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kFileBufferSize;
    chooser.lpstrTitle = texts::kFileChooserTitle;
    chooser.Flags = kFileChooserFlags;
    if (shell_.GetOpenFileNameA(chooser) > 0) {
        file.back() = '\0';
        settings_.BGM_File = file.data();
        panel_.show_file_name(settings_.BGM_File);
    }
}

void SettingsDialog::Cmd_Set_Click() noexcept {
    char repeat_text[kRepeatTextSize] = {};
    GetWindowTextA(repeat_, repeat_text, sizeof repeat_text);
    Win32SettingsSystem system;
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

void SettingsDialog::child_command(WPARAM wparam, LPARAM) {
    on_command(wparam);
}

void SettingsDialog::on_command(WPARAM wparam) noexcept {
    if (HIWORD(wparam) != BN_CLICKED)
        return;
    switch (LOWORD(wparam)) {
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
            if (gradient_.show(reinterpret_cast<HDC>(wparam)))
                return 1;
            break;
        case WM_PAINT: {
            const win32::PaintDc dc(hwnd());
            gradient_.show(dc.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            gradient_.show(reinterpret_cast<HDC>(wparam));
            return 0;
        case WM_COMMAND:
            on_command(wparam);
            return 0;
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
    const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    for (int tried = 1, i = current; tried <= count; ++tried) {
        i = (i < 0 ? (step == 1 ? 0 : count - 1) : (i + step) % count);
        // A button control stays a window that takes messages while its
        // Enabled is false; it is then no tab stop.
        const bool takes_focus = order[i] && IsWindowEnabled(order[i]) && IsWindowVisible(order[i]) &&
                                 (GetWindowLongA(order[i], GWL_STYLE) & WS_TABSTOP);
        if (takes_focus) {
            SetFocus(order[i]);
            break;
        }
    }
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

}  // namespace

void show_settings_dialog(HINSTANCE instance, Settings& settings, const std::string& program_folder) {
    // The dialog lives until the program ends after it has closed.
    auto dialog = std::make_unique<SettingsDialog>(instance, settings, settings_file_path(program_folder));
    if (dialog->load())
        dialog->show_modal();
}

}  // namespace settings_dialog
