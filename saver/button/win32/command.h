// The push button Command as a child window: the owner-drawn gradient button
// of the settings dialog. The host places it, loads its persisted property
// set, calls Initialize, and hears from it through WM_COMMAND:
//
//   WM_COMMAND, wParam = MAKEWPARAM(control id, BN_CLICKED), lParam = the
//       control's window: Click. Sent (not posted) as the last step of the
//       release that raises it, so the host may destroy the control there.
//   WM_COMMAND, wParam = MAKEWPARAM(control id, kNotifyPropertiesChanged):
//       a property was written, so the property set the host keeps for this
//       button is out of date (WriteProperties gives the new one).
//
// Every look is drawn into a retained surface by the handlers of the state
// machine (saver/button/command.h); WM_PAINT only shows that surface with the caption
// over it. Space presses it as it presses a Windows push button (see
// saver/button/command.h); Enter and access keys do nothing. It is a tab stop while
// enabled, so dialog navigation moves the focus onto it and away. A left
// press takes the focus and the mouse capture
// until the release, so a release outside the button still reaches it. Only
// a release that ends a press begun on the button clicks it (see
// saver/button/command.h); a capture taken away before the release ends the press.
//
// While transparent (Visible 0) the control shows its parent instead of its
// own surface, asking the parent to draw itself into the control's DC with
// WM_ERASEBKGND and then WM_PRINTCLIENT (PRF_CLIENT), in the parent's client
// coordinates; a parent that draws a retained picture of its own answers
// WM_PRINTCLIENT with it, and redraws its children (RDW_ALLCHILDREN) when
// that picture changes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/handles.h"
#include "common/win32/retained_surface.h"
#include "common/win32/window_base.h"
#include "saver/button/command.h"
#include "saver/button/win32/command_paint.h"
#include "saver/shared/twips.h"

namespace button {

// The notification code of "the persisted property set is out of date";
// above every code of the system's own controls, which the host's other
// children send with the same message.
inline constexpr WORD kNotifyPropertiesChanged = 0x7E01;

// The timer id of TmrMouse on the control's window (a test may send its tick).
inline constexpr UINT_PTR kTmrMouseTimerId = 1;

// The window class of every Command.
inline constexpr char kCommandClassName[] = "Ember_Lantern_Command";

class Command final : public win32::WindowBase, private CommandView {
public:
    Command() : logic_(*this) {}

    // Creates the control as a visible child of `parent` at `place`, in twips
    // of the parent's client area, with the state pictures from `instance`'s
    // resources. Until a property set is loaded or Enabled is read the
    // control is disabled and shows the Disable look. False when the window
    // cannot be created.
    bool create(HWND parent, HINSTANCE instance, int control_id, const shared::TwipsRect& place) noexcept;

    // Lays the control out again for a display of `dpi` dots per inch (the
    // dialog moved to a monitor of another scale): its place in twips, its
    // caption font and its looks at the new size.
    void rescale(int dpi, const shared::TwipsRect& place) noexcept;

    // The Command of a window, or null when it is none.
    static Command* from_window(HWND window) noexcept;

    void Initialize() noexcept { logic_.Initialize(); }

    // Properties; see saver/button/command.h for what reading and writing draw.
    std::string Caption() const { return logic_.Caption(); }
    void Caption(const std::string& text) { logic_.Caption(text); }
    FontDescription Font() const { return logic_.Font(); }
    void Font(const FontDescription& font) { logic_.Font(font); }
    std::uint32_t FontColour() noexcept { return logic_.FontColour(); }
    void FontColour(std::uint32_t colour) noexcept { logic_.FontColour(colour); }
    bool Enabled() noexcept { return logic_.Enabled(); }
    void Enabled(bool value) noexcept { logic_.Enabled(value); }
    std::uint8_t Visible() noexcept { return logic_.Visible(); }
    void Visible(std::uint8_t value) noexcept { logic_.Visible(value); }

    void ReadProperties(const PropertyBag& bag) { logic_.ReadProperties(bag); }
    void WriteProperties(PropertyBag& bag) { logic_.WriteProperties(bag); }

    // For tests and the demo host: the state machine's fields.
    const CommandFields& fields() const noexcept { return logic_.fields(); }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override;

    void on_size(int width, int height) noexcept;
    void on_timer(UINT_PTR id) noexcept;
    void on_left_press() noexcept;
    void on_left_release() noexcept;
    // What WM_PAINT and WM_PRINTCLIENT show: the retained surface (or, when
    // transparent, the parent), then the caption element.
    void show(HDC dc) noexcept;
    void show_parent(HDC dc) noexcept;
    RECT caption_rect() const noexcept;
    void present() noexcept;
    void notify_parent(WORD code) noexcept;

    // CommandView
    void PaintState(StatePicture picture, bool gradient_reversed) override;
    void caption_changed() override;
    void background_changed() override;
    void enabled_changed() override;
    void start_mouse_timer(unsigned interval_ms) override;
    void Click() override;
    void properties_changed() override;
    FontDescription ambient_font() override;

    CommandLogic logic_;
    std::unique_ptr<StatePictures> pictures_;
    win32::RetainedSurface surface_;  // of the client size
    PaintRecord record_;
    // The caption element's place from the last paint, in twips; at first
    // its design place.
    double caption_top_ = 90;
    long caption_width_ = 1635;
    int dpi_ = shared::kDesignDpi;  // of the display the control is drawn on
    win32::UniqueFont font_;
    FontDescription font_made_from_;
    bool releasing_capture_ = false;  // the capture change is the release's own
};

}  // namespace button
