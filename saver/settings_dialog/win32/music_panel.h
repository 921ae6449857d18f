// The music panel of the settings dialog: a child window with its
// own grey gradient, holding the windowless parts of the music choice (the
// heading and its frame, the three marks with their labels, the repeat box's
// caption and the file-name box) drawn over that gradient, and the repeat
// box and the file button as child windows. A press of any mouse button on a
// mark or on its label chooses that music kind. Focused, the panel is a group
// of option buttons: the arrow keys move the choice from row to row, and a
// dotted focus rectangle surrounds the chosen kind's name once the keyboard
// has been used in the dialog (common/win32/focus_cues.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win32/handles.h"
#include "common/win32/retained_surface.h"
#include "common/win32/window_base.h"
#include "saver/shared/twips.h"

namespace settings_dialog {

// What the user did on the panel, told to the dialog, which decides.
class PanelEvents {
public:
    virtual ~PanelEvents() = default;
    // A press of any mouse button on the mark of `kind` or on its name.
    virtual void kind_pressed(int kind) = 0;
    // An arrow key on the focused panel: to the row below (`down`) or above.
    virtual void kind_stepped(bool down) = 0;
    // A click of a button of the panel (the file button), by its control id.
    virtual void button_clicked(int control_id) = 0;
};

class MusicPanel final : public win32::WindowBase {
public:
    // `kind` is the dialog's BGM_Kind, read whenever the marks are drawn.
    MusicPanel(PanelEvents& events, HINSTANCE instance, const std::int16_t& kind);

    // Creates the panel as a child of the dialog at its place on a display of
    // `dpi` dots per inch; it is a tab stop.
    bool create(HWND dialog, int dpi) noexcept;
    // The panel's place, font and marks at another scale; its gradient is
    // painted again when the dialog gets its new size.
    void rescale(int dpi) noexcept;

    // Form_Resize for the panel: the new picture is shown when the dialog
    // redraws itself and every child, once both surfaces are painted.
    void paint_gradient() noexcept;

    // The kind changed: its mark chosen, the others clear, and the focus
    // rectangle around its name.
    void show_kind() noexcept;
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

    PanelEvents& events_;
    HINSTANCE instance_;
    const std::int16_t& kind_;
    win32::RetainedSurface gradient_;
    int dpi_ = shared::kDesignDpi;
    win32::UniqueFont font_;
    win32::UniqueBitmap mark_clear_, mark_chosen_;
    bool focused_ = false;  // between WM_SETFOCUS and WM_KILLFOCUS
    std::wstring file_name_;
};

}  // namespace settings_dialog
