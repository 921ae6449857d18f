// The repeat box BGM_Repeat as a window: a combo box with an editable text
// and a drop-down list, a child of the music panel, in the design font at the
// display's scale. What it shows and what a save takes from it are the
// logic's (music_choice.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win32/handles.h"

namespace settings_dialog {

class RepeatCombo {
public:
    // Creates the box in `panel` at its place on a display of `dpi` dots per
    // inch, a tab stop with the control id `control_id`. False when the
    // window cannot be created.
    bool create(HWND panel, HINSTANCE instance, int control_id, int dpi) noexcept;
    // Its place and font at another scale.
    void rescale(int dpi) noexcept;

    // Form_Load: `track` in the box, then the list of 0 to 30.
    void show_track(std::int16_t track) noexcept;
    // The text the box holds, as the save reads it (at most 255 characters).
    std::string text() const;
    void enable(bool enabled) noexcept;
    // Where the box takes input: the focus, with its whole text selected for
    // typing over. A disabled box (another kind chosen) is left alone.
    void select_text() noexcept;

    HWND hwnd() const noexcept { return window_; }

private:
    HWND window_ = nullptr;   // destroyed with the panel
    win32::UniqueFont font_;  // outlives the window: the dialog's object outlives its window
};

}  // namespace settings_dialog
