// The behaviour of the push button Command: its state (hover, focus, press),
// its properties and the persisted property set, over a small view interface
// that draws the looks and carries the notices to the host. The Windows side
// (win32/command.h) turns messages into the calls below and draws what the
// view is asked to draw.
//
// While disabled the button ignores every input but a resize; none of the
// routines fails. The getters that are not const change the look: reading
// Enabled first applies the first-run rule (a control whose FirstRun is 0
// becomes enabled, FirstRun 1) and then draws the enabled or disabled look;
// reading FontColour, or Visible while opaque, draws Normal. None of them
// changes ButtonState, so the look can differ from the state until the next
// state change.
//
// Click is raised only by a release that ends a press begun on the control
// with the same mouse button. A release alone (the second press of a
// double-click closed the window above, or the press was made on the host and
// dragged here) changes the look as any release does, and raises nothing.
//
// Space presses the focused control as it presses a Windows push button: its
// key-down shows the Pressed look, its release shows the state's look again
// and raises Click. The focus leaving the control, a mouse press on it or its
// Enabled going false in between ends that press without a Click. A Space
// that went down elsewhere (before Tab or another window moved the focus)
// does nothing here, neither its auto-repeats nor its release, and nor does a
// Space pressed while the left button is held on the control. No other key
// does anything.
#pragma once

#include <cstdint>
#include <string>

#include "saver/button/property_set.h"

namespace button {

// The six built-in pictures, one per look.
enum class StatePicture : std::uint8_t { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };
inline constexpr int kStatePictureCount = 6;

// The values of ButtonState.
enum class CommandState : std::uint8_t {
    None = 0,            // before Initialize
    Normal = 1,          // no focus, cursor elsewhere
    HighLight = 2,       // cursor over the control, no focus
    Selected = 3,        // focus, cursor elsewhere
    HighLightSelect = 4  // focus and cursor over the control
};

enum class MouseButton : std::uint8_t { Left, Right, Middle };

// The hover timer's period, from Initialize on.
inline constexpr unsigned kTmrMouseIntervalMs = 100;

// The control's own fields; all zero or false on creation.
struct CommandFields {
    CommandState ButtonState = CommandState::None;
    bool enabled = false;        // the value of the Enabled property
    std::uint8_t FirstRun = 0;   // 0 until the first-run rule ran or a set was loaded
    bool MouseDownFlag = false;  // from a left press on the control to the next left release
    bool GradientReversed = false;
};

// The caption element LblMsg: where the Caption, Font and FontColour
// properties live.
struct CaptionElement {
    std::string text;  // ANSI code page
    FontDescription font = design_font();
    std::uint32_t colour = 0;  // see is_settable_colour
    bool enabled = true;       // false: drawn in the system's disabled-text style
};

// What the behaviour asks of the window that shows it.
class CommandView {
public:
    // Draws the complete look with `picture` over the body gradient
    // (reversed: the tint at the top, white at the bottom) into the retained
    // surface, presents it, and places the caption element anew.
    virtual void PaintState(StatePicture picture, bool gradient_reversed) = 0;
    // The caption element's text, font, colour or enabled state changed:
    // show it where it is, without painting the body.
    virtual void caption_changed() = 0;
    // The background style (opaque or transparent) changed.
    virtual void background_changed() = 0;
    // The enabled flag changed.
    virtual void enabled_changed() = 0;
    // Switches TmrMouse on, or on again, with this period.
    virtual void start_mouse_timer(unsigned interval_ms) = 0;
    // The one event. Raised as the last step of a handler, so the host may
    // destroy the control from it.
    virtual void Click() = 0;
    // The persisted property set the host holds is out of date.
    virtual void properties_changed() = 0;
    // The font the host offers its controls, the default of "Font".
    virtual FontDescription ambient_font() = 0;

protected:
    ~CommandView() = default;
};

class CommandLogic {
public:
    explicit CommandLogic(CommandView& view) : view_(view) {}
    CommandLogic(const CommandLogic&) = delete;
    CommandLogic& operator=(const CommandLogic&) = delete;

    // ButtonState 1 and the hover timer on; no drawing. Again: the same.
    void Initialize();

    // One tick of TmrMouse: whether the window under the cursor is the
    // control's own (the caption element has no window of its own). A tick
    // that finds the cursor elsewhere also ends every press begun here: the
    // release of a button the control does not capture may never reach it.
    void TmrMouse_Timer(bool cursor_over_control);
    void GotFocus();
    void LostFocus();
    void MouseDown(MouseButton button);
    void MouseMove();
    void MouseUp(MouseButton button);
    // The Space key went down (`repeat`: an auto-repeat of a key already
    // down) or up while the control had the focus.
    void SpaceDown(bool repeat);
    void SpaceUp();
    // The mouse capture that a left press took went to another window before
    // the release: that press can no longer end in a Click.
    void CaptureLost();
    void Resize();

    const std::string& Caption() const { return caption_.text; }
    void Caption(const std::string& text);
    const FontDescription& Font() const { return caption_.font; }
    void Font(const FontDescription& font);
    std::uint32_t FontColour();
    void FontColour(std::uint32_t colour);
    bool Enabled();
    void Enabled(bool value);
    // 255 opaque, 0 transparent. Written: 0 transparent, anything else opaque.
    std::uint8_t Visible();
    void Visible(std::uint8_t value);

    // Loads "Enabled", "Caption", "Font", "FirstRun", "FontColour" and
    // "Visible" in that order (an absent key gives its default; a value of the
    // wrong kind or out of range is skipped), then ShowCaptionLook.
    void ReadProperties(const PropertyBag& bag);
    // Saves the same values into `bag`, leaving out each that equals its
    // default, then ShowCaptionLook. The caption's default is "Command" here
    // but "Command1" when loading, so a caption "Command" comes back as
    // "Command1".
    void WriteProperties(PropertyBag& bag);

    const CommandFields& fields() const { return fields_; }
    const CaptionElement& LblMsg() const { return caption_; }
    bool opaque() const { return opaque_; }

private:
    void PaintState(StatePicture picture);
    void MouseLeave();
    void ShowEnabledLook();
    void ShowCaptionLook();
    void apply_first_run_rule();
    void set_enabled_flag(bool value);
    void set_caption_enabled(bool value);
    // The picture that shows ButtonState at rest.
    StatePicture picture_of_state() const;
    // Ends a Space press begun here; true when there was one.
    bool end_space_press();
    static unsigned bit_of(MouseButton button) { return 1u << static_cast<unsigned>(button); }

    CommandView& view_;
    CommandFields fields_;
    // One bit per MouseButton: pressed on the control while enabled, and not
    // yet released.
    unsigned presses_here_ = 0;
    // Space went down on the control while enabled, and not yet up.
    bool space_pressed_ = false;
    CaptionElement caption_;
    bool opaque_ = true;  // the background style
};

}  // namespace button
