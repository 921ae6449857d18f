// The music panel of the settings dialog: a child window with its
// own grey gradient, holding the windowless parts of the music choice (the
// heading and its frame, the three marks with their labels, the repeat box's
// caption and the file-name box) drawn over that gradient, and the repeat
// box and the file button as child windows. A press of any mouse button on a
// mark or on its label chooses that music kind. Focused, the panel is a group
// of option buttons: the arrow keys move the choice from row to row, and a
// dotted focus rectangle surrounds the chosen kind's name once the keyboard
// has been used in the dialog (common/win32/focus_cues.h).
//
// The dialog owns the kind and tells the panel which it is (show_kind). The
// panel tells the dialog what the user chose as the buttons tell their host
// (saver/button/win32/command.h), with WM_COMMAND sent to its parent:
//
//   WM_COMMAND, wParam = MAKEWPARAM(the panel's control id,
//       kNotifyKindChosen + kind), lParam = the panel's window: the user
//       chose the kind (0 none, 1 audio CD, 2 file), by a press on its mark
//       or name, or by an arrow key from the kind shown.
//
// What its own child controls send it (the file button's click, the repeat
// box's notices) goes on to its parent as it came, so the dialog hears every
// control in one place.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/win32/handles.h"
#include "common/win32/retained_surface.h"
#include "common/win32/window_base.h"
#include "saver/settings_dialog/layout.h"
#include "saver/shared/twips.h"

namespace settings_dialog {

// The first of the panel's notification codes, one a kind; above every code
// of the system's own controls and the button's kNotifyPropertiesChanged.
inline constexpr WORD kNotifyKindChosen = 0x7E10;

// The kind a notification code of the panel chooses; nullopt for any other code.
inline std::optional<int> kind_chosen_by(WORD code) {
    if (code < kNotifyKindChosen || code >= kNotifyKindChosen + kKindCount)
        return std::nullopt;
    return code - kNotifyKindChosen;
}

class MusicPanel final : public win32::WindowBase {
public:
    explicit MusicPanel(HINSTANCE instance) : instance_(instance) {}

    // Creates the panel as a child of the dialog, with the control id
    // `control_id`, at its place on a display of `dpi` dots per inch; it is a
    // tab stop.
    bool create(HWND dialog, int dpi, int control_id) noexcept;
    // The panel's place, font and marks at another scale; its gradient is
    // painted again when the dialog gets its new size.
    void rescale(int dpi) noexcept;

    // Form_Resize for the panel: the new picture is shown when the dialog
    // redraws itself and every child, once both surfaces are painted.
    void paint_gradient() noexcept;

    // The dialog's BGM_Kind, at loading and whenever it changes: its mark
    // chosen, the others clear, and the focus rectangle around its name. A
    // kind outside 0..2 chooses no mark.
    void show_kind(std::int16_t kind) noexcept;
    // The caption of lbl_Fname (the full path; elided in the middle to fit),
    // in Unicode: the name as the user chose it, whatever the code page.
    void show_file_name(const std::wstring& path) noexcept;
    const std::wstring& file_name() const noexcept { return file_name_; }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
    void draw(HDC dc) noexcept;
    void draw_label(HDC dc, const char* text, const RECT& place, UINT format) noexcept;
    void draw_mark(HDC dc, const RECT& place, bool chosen) noexcept;
    RECT rect_of(const shared::TwipsRect& twips) const noexcept;
    // The font and marks of the current scale.
    void make_scaled_parts() noexcept;
    int chosen_kind() const noexcept;  // -1 when no mark is chosen
    RECT focus_place(HDC dc, int kind) const noexcept;
    void invalidate_focus(int kind) noexcept;
    void invalidate_focus_places() noexcept;
    // WM_COMMAND to the dialog, from the panel itself.
    void notify_parent(WORD code) noexcept;

    HINSTANCE instance_;
    std::int16_t kind_ = -1;  // none until the dialog tells it
    win32::RetainedSurface gradient_;
    int dpi_ = shared::kDesignDpi;
    win32::UniqueFont font_;
    win32::UniqueBitmap mark_clear_, mark_chosen_;
    bool focused_ = false;  // between WM_SETFOCUS and WM_KILLFOCUS
    std::wstring file_name_;
};

}  // namespace settings_dialog
