// The settings dialog Ember_Lantern_P, captioned "<Ember_Lantern>": the one
// place where the user chooses the saver's background music (none, an audio
// CD with an optional repeated track, or an MP3 or WAV file), saves it to the
// settings file or cancels, and can open the maker's web page. Its decisions
// are the logic files' of saver/settings_dialog, one a topic; the window
// carries them out.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/retained_surface.h"
#include "common/win32/window_base.h"
#include "saver/button/win32/command.h"
#include "saver/settings_dialog/layout.h"
#include "saver/settings_dialog/win32/music_choice.h"
#include "saver/settings_dialog/win32/music_panel.h"
#include "saver/settings_dialog/win32/shell_calls.h"
#include "saver/settings_dialog/win32/tab_order.h"
#include "saver/shared/settings.h"
#include "saver/shared/twips.h"

namespace settings_dialog {

// Loads the dialog (Form_Load), shows it modally with no owner and returns
// when it has closed. `settings` are the program-wide ones, which the dialog
// edits in place; a save writes them to the settings file in
// `program_folder`.
void show_settings_dialog(HINSTANCE instance, shared::Settings& settings, const std::string& program_folder);

// A fixed thin border and a title bar with only the close box; shown in the
// task bar, as the saver's one window a user works in.
inline constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
inline constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The control ids of the music panel (0, the id a child window has unless
// given another), the repeat box and the four buttons. Each tells the dialog
// what the user did with WM_COMMAND and its id (the panel passes on its own
// controls' notices).
enum ControlId : int { kIdPanel = 0, kIdRepeat = 100, kIdCmdBgm, kIdCmdEtc, kIdCmdSet, kIdCmdCan };

// The dialog's window: its controls, its event handlers and its modal loop.
// It owns the music choice (BGM_Kind of the settings it edits) and tells the
// music panel which kind to show.
class SettingsDialog final : public win32::WindowBase {
public:
    // `path_forms` turns a chosen music file into the path kept in the settings.
    SettingsDialog(HINSTANCE instance, shared::Settings& settings, std::string ini_path, const PathForms& path_forms)
        : instance_(instance),
          settings_(settings),
          ini_path_(std::move(ini_path)),
          path_forms_(path_forms),
          panel_(instance) {}

    // Creates the window hidden with its controls, then runs Form_Load.
    bool load() noexcept;
    // Shows the dialog and runs its own message loop until it has closed.
    void show_modal() noexcept;

    // For tests: what the file-name box shows.
    const std::wstring& file_name_shown() const noexcept { return panel_.file_name(); }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
    bool create_controls() noexcept;
    // The window's size and every control's place and font at `dpi` dots per
    // inch: once when the window exists, again when it moves to a monitor of
    // another scale. `top_left` keeps the window's place; null, where it is.
    void lay_out(int dpi, const POINT* top_left = nullptr) noexcept;
    // The window's outer size for its client area at the current scale.
    void size_client(const POINT* top_left) noexcept;
    bool create_button(button::Command& command,
                       HWND parent,
                       int id,
                       const shared::TwipsRect& place,
                       const char* caption) noexcept;

    void Form_Load() noexcept;
    void Form_Resize() noexcept;
    void Form_Unload() noexcept;
    void show_kind() noexcept;
    // WM_COMMAND: what a control tells the dialog, by its id and code.
    void command(int control_id, WORD code) noexcept;
    void choose_kind(int kind) noexcept;
    void Cmd_BGM_Click() noexcept;
    void Cmd_Set_Click() noexcept;
    void Cmd_Etc_Click() noexcept;

    // The panel, the repeat box, "...", "設定", "ｷｬﾝｾﾙ", "その他の作品".
    std::vector<HWND> tab_order() const;

    HINSTANCE instance_;
    shared::Settings& settings_;
    std::string ini_path_;
    const PathForms& path_forms_;
    win32::RetainedSurface gradient_;
    MusicPanel panel_;
    ShellCalls shell_;
    RepeatCombo repeat_;  // BGM_Repeat, a child of the panel
    button::Command cmd_bgm_, cmd_etc_, cmd_set_, cmd_can_;
    int dpi_ = shared::kDesignDpi;  // of the monitor the dialog is on
    bool wait_cursor_ = false;      // the program-wide mouse pointer is the hourglass
    bool closed_ = false;
    FocusMemory focus_memory_;
};

}  // namespace settings_dialog
