#include "saver/button/command.h"

#include <limits>
#include <optional>
#include <utility>

namespace button {
namespace {

constexpr char kLoadedCaptionDefault[] = "Command1";
constexpr char kSavedCaptionDefault[] = "Command";

// The stored value of `key` as a T: the default when the set has none,
// nullopt when it holds another kind of value.
template <typename T>
std::optional<T> read_value(const PropertyBag& bag, const std::string& key, const T& default_value) {
    const PropertyValue* value = bag.find(key);
    if (!value)
        return default_value;
    if (const T* typed = std::get_if<T>(value))
        return *typed;
    return std::nullopt;
}

std::optional<std::int32_t> read_integer(const PropertyBag& bag,
                                         const std::string& key,
                                         std::int32_t default_value,
                                         std::int32_t low,
                                         std::int32_t high) {
    const std::optional<std::int32_t> value = read_value(bag, key, default_value);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

}  // namespace

void CommandLogic::PaintState(StatePicture picture) {
    switch (fields_.ButtonState) {
        case CommandState::Normal:
        case CommandState::Selected:
            fields_.GradientReversed = false;
            break;
        case CommandState::HighLight:
            fields_.GradientReversed = true;
            break;
        case CommandState::HighLightSelect:
        case CommandState::None:
            break;  // as the previous paint left it
    }
    view_.PaintState(picture, fields_.GradientReversed);
}

void CommandLogic::Initialize() {
    fields_.ButtonState = CommandState::Normal;
    view_.start_mouse_timer(kTmrMouseIntervalMs);
}

void CommandLogic::TmrMouse_Timer(bool cursor_over_control) {
    if (cursor_over_control)
        return;
    presses_here_ = 0;
    MouseLeave();
}

void CommandLogic::MouseLeave() {
    if (!fields_.enabled)
        return;
    if (fields_.ButtonState == CommandState::HighLight) {
        fields_.ButtonState = CommandState::Normal;
        PaintState(StatePicture::Normal);
    } else if (fields_.ButtonState == CommandState::HighLightSelect) {
        fields_.ButtonState = CommandState::Selected;
        PaintState(StatePicture::Selected);
    }
}

void CommandLogic::GotFocus() {
    if (!fields_.enabled)
        return;
    if (fields_.ButtonState == CommandState::HighLight) {
        fields_.ButtonState = CommandState::HighLightSelect;
        PaintState(StatePicture::Pressed);
    } else {
        fields_.ButtonState = CommandState::Selected;
        PaintState(StatePicture::Selected);
    }
}

void CommandLogic::LostFocus() {
    const bool space_was_down = end_space_press();
    if (!fields_.enabled)
        return;
    if (fields_.ButtonState == CommandState::Normal) {
        // No change of state, but the Space press's look must go.
        if (space_was_down)
            PaintState(StatePicture::Normal);
        return;
    }
    fields_.ButtonState = CommandState::Normal;
    PaintState(StatePicture::Normal);
}

void CommandLogic::MouseDown(MouseButton button) {
    if (!fields_.enabled)
        return;
    const bool space_was_down = end_space_press();
    presses_here_ |= bit_of(button);
    if (button != MouseButton::Left) {
        // Such a press draws nothing of its own; the Space press's look goes.
        if (space_was_down)
            PaintState(picture_of_state());
        return;
    }
    fields_.MouseDownFlag = true;
    PaintState(StatePicture::Pressed);
}

void CommandLogic::MouseMove() {
    if (!fields_.enabled)
        return;
    if (fields_.ButtonState == CommandState::Normal) {
        fields_.ButtonState = CommandState::HighLight;
        PaintState(StatePicture::HighLight);
    }
    if (fields_.ButtonState == CommandState::Selected && !fields_.MouseDownFlag) {
        fields_.ButtonState = CommandState::HighLightSelect;
        PaintState(StatePicture::HighLightSelect);
    }
}

void CommandLogic::MouseUp(MouseButton button) {
    const bool ends_press_here = (presses_here_ & bit_of(button)) != 0;
    presses_here_ &= ~bit_of(button);
    if (!fields_.enabled)
        return;
    if (button == MouseButton::Left) {
        fields_.MouseDownFlag = false;
        if (fields_.ButtonState == CommandState::HighLight)
            PaintState(StatePicture::Normal);
        else if (fields_.ButtonState == CommandState::HighLightSelect)
            PaintState(StatePicture::HighLightSelect);
    }
    if (fields_.ButtonState != CommandState::Selected && fields_.enabled && ends_press_here)
        view_.Click();
}

void CommandLogic::SpaceDown(bool repeat) {
    // Only a fresh key-down begins a press: a repeat either continues one or
    // belongs to a Space that went down before the focus came here. A left
    // press under way keeps its own sequence, so one gesture never clicks
    // twice.
    if (!fields_.enabled || repeat || space_pressed_ || (presses_here_ & bit_of(MouseButton::Left)))
        return;
    space_pressed_ = true;
    PaintState(StatePicture::Pressed);
}

void CommandLogic::SpaceUp() {
    if (!end_space_press() || !fields_.enabled)
        return;
    PaintState(picture_of_state());
    view_.Click();
}

bool CommandLogic::end_space_press() {
    return std::exchange(space_pressed_, false);
}

StatePicture CommandLogic::picture_of_state() const {
    switch (fields_.ButtonState) {
        case CommandState::HighLight:
            return StatePicture::HighLight;
        case CommandState::Selected:
            return StatePicture::Selected;
        case CommandState::HighLightSelect:
            return StatePicture::HighLightSelect;
        case CommandState::None:
        case CommandState::Normal:
            break;
    }
    return StatePicture::Normal;
}

void CommandLogic::CaptureLost() {
    presses_here_ &= ~bit_of(MouseButton::Left);
}

void CommandLogic::Resize() {
    ShowEnabledLook();
}

void CommandLogic::ShowEnabledLook() {
    if (fields_.enabled) {
        PaintState(StatePicture::Normal);
        set_caption_enabled(true);
    } else {
        PaintState(StatePicture::Disable);
        set_caption_enabled(false);
    }
}

void CommandLogic::ShowCaptionLook() {
    if (!fields_.enabled)
        return;
    set_caption_enabled(true);
    if (fields_.FirstRun == 0 && caption_.colour != 0) {
        caption_.colour = 0;
        view_.caption_changed();
    }
    PaintState(StatePicture::Normal);
}

void CommandLogic::apply_first_run_rule() {
    if (fields_.FirstRun != 0)
        return;
    ShowCaptionLook();
    fields_.FirstRun = 1;
    set_enabled_flag(true);
}

void CommandLogic::set_enabled_flag(bool value) {
    if (!value)
        space_pressed_ = false;
    if (fields_.enabled == value)
        return;
    fields_.enabled = value;
    view_.enabled_changed();
}

void CommandLogic::set_caption_enabled(bool value) {
    if (caption_.enabled == value)
        return;
    caption_.enabled = value;
    view_.caption_changed();
}

void CommandLogic::Caption(const std::string& text) {
    caption_.text = text;
    view_.caption_changed();
    view_.properties_changed();
}

void CommandLogic::Font(const FontDescription& font) {
    caption_.font = font;
    view_.caption_changed();
    view_.properties_changed();
}

std::uint32_t CommandLogic::FontColour() {
    const std::uint32_t colour = caption_.colour;
    ShowCaptionLook();
    return colour;
}

void CommandLogic::FontColour(std::uint32_t colour) {
    if (!is_settable_colour(colour)) {
        ShowCaptionLook();
        return;
    }
    caption_.colour = colour;
    view_.caption_changed();
    ShowCaptionLook();
    view_.properties_changed();
}

bool CommandLogic::Enabled() {
    apply_first_run_rule();
    const bool value = fields_.enabled;
    ShowEnabledLook();
    return value;
}

void CommandLogic::Enabled(bool value) {
    set_enabled_flag(value);
    view_.properties_changed();
    ShowEnabledLook();
}

std::uint8_t CommandLogic::Visible() {
    if (!opaque_)
        return 0;
    ShowCaptionLook();
    return 255;
}

void CommandLogic::Visible(std::uint8_t value) {
    opaque_ = value != 0;
    view_.background_changed();
    if (opaque_)
        ShowCaptionLook();
    view_.properties_changed();
}

void CommandLogic::ReadProperties(const PropertyBag& bag) {
    if (const auto enabled = read_value(bag, "Enabled", true))
        set_enabled_flag(*enabled);
    if (const auto text = read_value(bag, "Caption", std::string(kLoadedCaptionDefault))) {
        caption_.text = *text;
        view_.caption_changed();
    }
    if (const auto font = read_value(bag, "Font", view_.ambient_font())) {
        caption_.font = *font;
        view_.caption_changed();
    }
    if (const auto first_run = read_integer(bag, "FirstRun", 1, 0, std::numeric_limits<std::uint8_t>::max()))
        fields_.FirstRun = static_cast<std::uint8_t>(*first_run);
    if (const auto colour = read_value<std::int32_t>(bag, "FontColour", 0)) {
        const auto value = static_cast<std::uint32_t>(*colour);
        if (is_settable_colour(value)) {
            caption_.colour = value;
            view_.caption_changed();
        }
    }
    if (const auto visible = read_integer(bag, "Visible", 1, 0, 1)) {
        opaque_ = *visible == 1;
        view_.background_changed();
    }
    ShowCaptionLook();
}

void CommandLogic::WriteProperties(PropertyBag& bag) {
    bag.write("Enabled", fields_.enabled, true);
    bag.write("Caption", caption_.text, std::string(kSavedCaptionDefault));
    bag.write("FirstRun", std::int32_t{fields_.FirstRun}, std::int32_t{1});
    bag.write("Font", caption_.font, view_.ambient_font());
    bag.write("FontColour", static_cast<std::int32_t>(caption_.colour), std::int32_t{0});
    bag.write("Visible", std::int32_t{opaque_ ? 1 : 0}, std::int32_t{1});
    ShowCaptionLook();
}

}  // namespace button
