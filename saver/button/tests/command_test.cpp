// The push button's behaviour over a recording view: the state table, the
// sequences a user goes through around it, and the persisted property set.
#include "saver/button/command.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace button {
namespace {

const char* name_of(StatePicture picture) {
    static const char* const kNames[] = {"Normal", "HighLight", "HighLightSelect", "Selected", "Pressed", "Disable"};
    return kNames[static_cast<int>(picture)];
}

// Records every drawing ("Normal", or "Normal/r" over the reversed gradient),
// every Click and every out-of-date notice ("changed"), separated by blanks.
class RecordingView final : public CommandView {
public:
    std::string log;
    unsigned timer_interval = 0;
    FontDescription ambient = design_font();

    std::string take() { return std::exchange(log, std::string()); }

private:
    void add(const std::string& event) { log += (log.empty() ? "" : " ") + event; }
    void PaintState(StatePicture picture, bool reversed) override {
        add(std::string(name_of(picture)) + (reversed ? "/r" : ""));
    }
    void caption_changed() override {}
    void background_changed() override {}
    void enabled_changed() override {}
    void start_mouse_timer(unsigned interval_ms) override { timer_interval = interval_ms; }
    void Click() override { add("Click"); }
    void properties_changed() override { add("changed"); }
    FontDescription ambient_font() override { return ambient; }
};

enum class Input {
    MoveOver,
    TimerElsewhere,
    TimerOver,
    FocusGained,
    FocusLost,
    LeftPress,
    LeftRelease,
    RightPress,
    RightRelease,
    Resize,
    ReadEnabled,
    Initialize,
    CaptureLost,
    SpaceDown,
    SpaceRepeat,
    SpaceUp,
    Disable,
    Enable
};

void apply(CommandLogic& logic, Input input) {
    switch (input) {
        case Input::MoveOver:
            return logic.MouseMove();
        case Input::TimerElsewhere:
            return logic.TmrMouse_Timer(false);
        case Input::TimerOver:
            return logic.TmrMouse_Timer(true);
        case Input::FocusGained:
            return logic.GotFocus();
        case Input::FocusLost:
            return logic.LostFocus();
        case Input::LeftPress:
            return logic.MouseDown(MouseButton::Left);
        case Input::LeftRelease:
            return logic.MouseUp(MouseButton::Left);
        case Input::RightPress:
            return logic.MouseDown(MouseButton::Right);
        case Input::RightRelease:
            return logic.MouseUp(MouseButton::Right);
        case Input::Resize:
            return logic.Resize();
        case Input::ReadEnabled:
            logic.Enabled();
            return;
        case Input::Initialize:
            return logic.Initialize();
        case Input::CaptureLost:
            return logic.CaptureLost();
        case Input::SpaceDown:
            return logic.SpaceDown(false);
        case Input::SpaceRepeat:
            return logic.SpaceDown(true);
        case Input::SpaceUp:
            return logic.SpaceUp();
        case Input::Disable:
            return logic.Enabled(false);
        case Input::Enable:
            return logic.Enabled(true);
    }
}

// A loaded control brought into `state` the way a user would.
void bring_to(CommandLogic& logic, int state) {
    logic.ReadProperties(PropertyBag{});
    if (state >= 1)
        logic.Initialize();
    if (state == 2)
        logic.MouseMove();
    if (state >= 3)
        logic.GotFocus();
    if (state == 4)
        logic.MouseMove();
}

// One cell: the state afterwards (-1: unchanged) and what is drawn and raised.
struct Cell {
    int state;
    const char* log;
};

TEST(CommandStateTable, EveryInputInEveryStateEnabledAndDisabled) {
    // Columns: ButtonState 0 (before Initialize), 1 Normal, 2 HighLight,
    // 3 Selected, 4 HighLightSelect. The direction of the gradient follows
    // the state at paint time: reversed in 2, kept from the previous paint in
    // 0 and 4 (plain here: 4 was reached from 3). A release is taken after a
    // press on the control (`pressed`: of a mouse button, or Space) or alone;
    // only the release that ends a press of its own button or key clicks.
    enum class Pressed { No, Left, Right, Space };
    const struct {
        Input input;
        Pressed pressed;
        Cell cells[5];
    } table[] = {
        {Input::MoveOver, Pressed::No, {{-1, ""}, {2, "HighLight/r"}, {-1, ""}, {4, "HighLightSelect"}, {-1, ""}}},
        {Input::TimerElsewhere, Pressed::No, {{-1, ""}, {-1, ""}, {1, "Normal"}, {-1, ""}, {3, "Selected"}}},
        {Input::TimerOver, Pressed::No, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::FocusGained,
         Pressed::No,
         {{3, "Selected"}, {3, "Selected"}, {4, "Pressed/r"}, {3, "Selected"}, {3, "Selected"}}},
        {Input::FocusLost, Pressed::No, {{1, "Normal"}, {-1, ""}, {1, "Normal"}, {1, "Normal"}, {1, "Normal"}}},
        {Input::LeftPress,
         Pressed::No,
         {{-1, "Pressed"}, {-1, "Pressed"}, {-1, "Pressed/r"}, {-1, "Pressed"}, {-1, "Pressed"}}},
        {Input::LeftRelease,
         Pressed::Left,
         {{-1, "Click"}, {-1, "Click"}, {-1, "Normal/r Click"}, {-1, ""}, {-1, "HighLightSelect Click"}}},
        {Input::LeftRelease, Pressed::No, {{-1, ""}, {-1, ""}, {-1, "Normal/r"}, {-1, ""}, {-1, "HighLightSelect"}}},
        {Input::LeftRelease, Pressed::Right, {{-1, ""}, {-1, ""}, {-1, "Normal/r"}, {-1, ""}, {-1, "HighLightSelect"}}},
        {Input::RightPress, Pressed::No, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::RightRelease, Pressed::Right, {{-1, "Click"}, {-1, "Click"}, {-1, "Click"}, {-1, ""}, {-1, "Click"}}},
        {Input::RightRelease, Pressed::No, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::RightRelease, Pressed::Left, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::SpaceDown,
         Pressed::No,
         {{-1, "Pressed"}, {-1, "Pressed"}, {-1, "Pressed/r"}, {-1, "Pressed"}, {-1, "Pressed"}}},
        // Space again while down, its auto-repeat, the repeat of a Space
        // that went down elsewhere, and Space while the left button is held.
        {Input::SpaceDown, Pressed::Space, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::SpaceRepeat, Pressed::Space, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::SpaceRepeat, Pressed::No, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::SpaceDown, Pressed::Left, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        // Unlike a left release, Space clicks the focused button (state 3) too.
        {Input::SpaceUp,
         Pressed::Space,
         {{-1, "Normal Click"},
          {-1, "Normal Click"},
          {-1, "HighLight/r Click"},
          {-1, "Selected Click"},
          {-1, "HighLightSelect Click"}}},
        {Input::SpaceUp, Pressed::No, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::SpaceUp, Pressed::Left, {{-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}, {-1, ""}}},
        {Input::FocusLost,
         Pressed::Space,
         {{1, "Normal"}, {-1, "Normal"}, {1, "Normal"}, {1, "Normal"}, {1, "Normal"}}},
        {Input::LeftPress,
         Pressed::Space,
         {{-1, "Pressed"}, {-1, "Pressed"}, {-1, "Pressed/r"}, {-1, "Pressed"}, {-1, "Pressed"}}},
        {Input::RightPress,
         Pressed::Space,
         {{-1, "Normal"}, {-1, "Normal"}, {-1, "HighLight/r"}, {-1, "Selected"}, {-1, "HighLightSelect"}}},
        {Input::Resize,
         Pressed::No,
         {{-1, "Normal"}, {-1, "Normal"}, {-1, "Normal/r"}, {-1, "Normal"}, {-1, "Normal"}}},
    };
    for (const bool enabled : {true, false}) {
        for (const auto& row : table) {
            for (int state = 0; state < 5; ++state) {
                SCOPED_TRACE(testing::Message()
                             << (enabled ? "enabled" : "disabled") << ", input " << static_cast<int>(row.input)
                             << " after press " << static_cast<int>(row.pressed) << ", state " << state);
                RecordingView view;
                CommandLogic logic(view);
                bring_to(logic, state);
                if (!enabled)
                    logic.Enabled(false);
                if (row.pressed == Pressed::Space)
                    logic.SpaceDown(false);
                else if (row.pressed != Pressed::No)
                    logic.MouseDown(row.pressed == Pressed::Left ? MouseButton::Left : MouseButton::Right);
                view.take();
                apply(logic, row.input);

                const Cell& cell = row.cells[state];
                const bool resize = row.input == Input::Resize;
                // Disabled, only a resize draws (Disable, in the state's direction).
                std::string want = cell.log;
                if (!enabled)
                    want = resize ? std::string("Disable") + (state == 2 ? "/r" : "") : "";
                EXPECT_EQ(view.log, want);
                const int want_state = enabled && cell.state >= 0 ? cell.state : state;
                EXPECT_EQ(static_cast<int>(logic.fields().ButtonState), want_state);
                const bool left_held =
                    row.input == Input::LeftPress || (row.pressed == Pressed::Left && row.input != Input::LeftRelease);
                EXPECT_EQ(logic.fields().MouseDownFlag, enabled && left_held);
            }
        }
    }
}

TEST(CommandStateTable, SequencesAroundTheTable) {
    using I = Input;
    const struct {
        const char* what;
        bool loaded;  // an empty property set loaded first (so enabled)
        std::vector<Input> inputs;
        const char* log;  // of the inputs, after the load
        int state;
    } cases[] = {
        {"a click: hover, press (which focuses first), release inside",
         true,
         {I::Initialize, I::MoveOver, I::FocusGained, I::LeftPress, I::LeftRelease},
         "HighLight/r Pressed/r Pressed/r HighLightSelect/r Click",
         4},
        {"press, drag off, release outside: the tick makes it Selected, no Click",
         true,
         {I::Initialize, I::MoveOver, I::FocusGained, I::LeftPress, I::TimerElsewhere, I::MoveOver, I::LeftRelease},
         "HighLight/r Pressed/r Pressed/r Selected",
         3},
        {"drag off and back with the button held: no Click; the next move shows HighLightSelect",
         true,
         {I::Initialize, I::MoveOver, I::FocusGained, I::LeftPress, I::TimerElsewhere, I::MoveOver, I::TimerOver,
          I::LeftRelease, I::MoveOver},
         "HighLight/r Pressed/r Pressed/r Selected HighLightSelect",
         4},
        {"focus first, then hover: HighLightSelect over the plain gradient",
         true,
         {I::Initialize, I::FocusGained, I::MoveOver, I::LeftPress, I::LeftRelease},
         "Selected HighLightSelect Pressed HighLightSelect Click",
         4},
        {"a right press draws nothing; its release clicks unless Selected",
         true,
         {I::Initialize, I::RightPress, I::RightRelease, I::FocusGained, I::RightPress, I::RightRelease},
         "Click Selected",
         3},
        {"before Initialize a move draws nothing, a press and its release still click",
         true,
         {I::MoveOver, I::LeftPress, I::LeftRelease},
         "Pressed Click",
         0},
        {"a press on the host dragged over the button: it lights up, and the release raises nothing",
         true,
         {I::Initialize, I::MoveOver, I::LeftRelease, I::RightRelease},
         "HighLight/r Normal/r",
         2},
        {"a lone release over the focused button (a double-click that closed a window above it)",
         true,
         {I::Initialize, I::FocusGained, I::MoveOver, I::LeftRelease},
         "Selected HighLightSelect HighLightSelect",
         4},
        {"a release that raised nothing leaves the next click whole",
         true,
         {I::Initialize, I::MoveOver, I::LeftRelease, I::LeftPress, I::LeftRelease},
         "HighLight/r Normal/r Pressed/r Normal/r Click",
         2},
        {"a right press dragged off is forgotten at the tick; released back over the button, it raises nothing",
         true,
         {I::Initialize, I::MoveOver, I::RightPress, I::TimerElsewhere, I::MoveOver, I::RightRelease},
         "HighLight/r Normal HighLight/r",
         2},
        {"a press whose capture another window took raises nothing at its release",
         true,
         {I::Initialize, I::MoveOver, I::FocusGained, I::LeftPress, I::CaptureLost, I::LeftRelease},
         "HighLight/r Pressed/r Pressed/r HighLightSelect/r",
         4},
        {"Space on the focused button: Pressed until its release, which clicks; repeats draw nothing more",
         true,
         {I::Initialize, I::FocusGained, I::SpaceDown, I::SpaceRepeat, I::SpaceRepeat, I::SpaceUp},
         "Selected Pressed Selected Click",
         3},
        {"Space begun on a button and released after Tab moved on: no Click",
         true,
         {I::Initialize, I::FocusGained, I::SpaceDown, I::FocusLost, I::SpaceUp},
         "Selected Pressed Normal",
         1},
        {"Space held while the focus comes here: its repeats and release do nothing",
         true,
         {I::Initialize, I::FocusGained, I::SpaceRepeat, I::SpaceRepeat, I::SpaceUp},
         "Selected",
         3},
        {"a Space release on a button the focus reached meanwhile does nothing",
         true,
         {I::Initialize, I::FocusGained, I::SpaceUp},
         "Selected",
         3},
        {"a mouse click during a Space press: the mouse's own Click, none at the Space release",
         true,
         {I::Initialize, I::MoveOver, I::FocusGained, I::SpaceDown, I::LeftPress, I::LeftRelease, I::SpaceUp},
         "HighLight/r Pressed/r Pressed/r Pressed/r HighLightSelect/r Click",
         4},
        {"a right press during a Space press ends it: the state's look, and no Click",
         true,
         {I::Initialize, I::FocusGained, I::SpaceDown, I::RightPress, I::SpaceUp},
         "Selected Pressed Selected",
         3},
        {"Space while the left button is held: the mouse's sequence alone",
         true,
         {I::Initialize, I::MoveOver, I::FocusGained, I::LeftPress, I::SpaceDown, I::SpaceUp, I::LeftRelease},
         "HighLight/r Pressed/r Pressed/r HighLightSelect/r Click",
         4},
        {"disabled during a Space press: no Click, not even once enabled again",
         true,
         {I::Initialize, I::FocusGained, I::SpaceDown, I::Disable, I::Enable, I::SpaceUp},
         "Selected Pressed changed Disable changed Normal",
         3},
        {"reading Enabled while hovered draws Normal and keeps HighLight",
         true,
         {I::Initialize, I::MoveOver, I::ReadEnabled},
         "HighLight/r Normal/r",
         2},
        {"a new control ignores input until Enabled is read",
         false,
         {I::Initialize, I::MoveOver, I::LeftRelease},
         "",
         1},
        {"a new control: the first read of Enabled enables it",
         false,
         {I::ReadEnabled, I::MoveOver, I::Initialize, I::MoveOver},
         "Normal HighLight/r",
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingView view;
        CommandLogic logic(view);
        if (c.loaded)
            logic.ReadProperties(PropertyBag{});
        view.take();
        for (const Input input : c.inputs)
            apply(logic, input);
        EXPECT_EQ(view.log, c.log);
        EXPECT_EQ(static_cast<int>(logic.fields().ButtonState), c.state);
    }
}

TEST(CommandStateTable, InitializeStartsTheHoverTimerAndDrawsNothing) {
    RecordingView view;
    CommandLogic logic(view);
    logic.Initialize();
    EXPECT_EQ(view.timer_interval, 100u);
    EXPECT_EQ(view.log, "");
    EXPECT_EQ(logic.fields().ButtonState, CommandState::Normal);
}

TEST(CommandProperties, FirstReadOfEnabledWinsOverAnEarlierWriteOfFalse) {
    RecordingView view;
    CommandLogic logic(view);
    EXPECT_FALSE(logic.fields().enabled);
    logic.Enabled(false);
    EXPECT_EQ(view.take(), "changed Disable");
    EXPECT_TRUE(logic.Enabled());
    EXPECT_EQ(view.take(), "Normal");
    EXPECT_EQ(logic.fields().FirstRun, 1);
    PropertyBag saved;
    logic.WriteProperties(saved);
    // FirstRun 1 and Enabled true equal their defaults; the caption "" does not.
    EXPECT_EQ(saved, (PropertyBag{{"Caption", std::string()}}));
}

TEST(CommandProperties, LoadingAppliesDefaultsAndSkipsWhatCannotBeHeld) {
    FontDescription other = design_font();
    other.size_points = 12;
    other.weight = 700;
    const struct {
        const char* what;
        PropertyBag bag;
        const char* caption;
        std::uint32_t colour;
        bool enabled, opaque;
        int first_run;
        bool ambient_font;
    } cases[] = {
        {"empty set: opaque, black, enabled, the loading caption", {}, "Command1", 0, true, true, 1, true},
        {"every value stored",
         {{"Enabled", false},
          {"Caption", std::string("設定")},
          {"Font", other},
          {"FirstRun", std::int32_t{1}},
          {"FontColour", std::int32_t{0xFF}},
          {"Visible", std::int32_t{0}}},
         "設定",
         0xFF,
         false,
         false,
         1,
         false},
        {"FirstRun 0 with Enabled: the first look turns the caption black",
         {{"FirstRun", std::int32_t{0}}, {"FontColour", std::int32_t{0xFF}}},
         "Command1",
         0,
         true,
         true,
         0,
         true},
        {"FirstRun 0 while disabled: the colour stays",
         {{"Enabled", false}, {"FirstRun", std::int32_t{0}}, {"FontColour", std::int32_t{0xFF}}},
         "Command1",
         0xFF,
         false,
         true,
         0,
         true},
        {"values of the wrong kind or out of range are skipped",
         {{"Enabled", std::int32_t{1}},
          {"Caption", std::int32_t{5}},
          {"FirstRun", std::int32_t{256}},
          {"FontColour", std::int32_t{0x01000000}},
          {"Visible", std::int32_t{2}}},
         "",
         0,
         false,
         true,
         0,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingView view;
        view.ambient.face = "ambient";
        CommandLogic logic(view);
        logic.ReadProperties(c.bag);
        EXPECT_EQ(logic.Caption(), c.caption);
        EXPECT_EQ(logic.LblMsg().colour, c.colour);
        EXPECT_EQ(logic.fields().enabled, c.enabled);
        EXPECT_EQ(logic.opaque(), c.opaque);
        EXPECT_EQ(logic.fields().FirstRun, c.first_run);
        EXPECT_EQ(logic.Font() == view.ambient, c.ambient_font);
        EXPECT_EQ(view.log.find("changed"), std::string::npos) << "loading is no change";
    }
}

TEST(CommandProperties, SavingLeavesOutDefaultsAndLoadsBackTheSameButton) {
    RecordingView view;
    CommandLogic logic(view);
    logic.ReadProperties(PropertyBag{});
    logic.Caption("Command");
    PropertyBag saved;
    logic.WriteProperties(saved);
    EXPECT_TRUE(saved.values().empty()) << "every value equals its saving default";
    CommandLogic reloaded(view);
    reloaded.ReadProperties(saved);
    EXPECT_EQ(reloaded.Caption(), "Command1");

    FontDescription bold = design_font();
    bold.weight = 700;
    logic.Caption("その他の作品");
    logic.Font(bold);
    logic.FontColour(0x80000012u);  // a system colour
    logic.Visible(0);
    logic.Enabled(false);
    saved = PropertyBag{{"Stale", true}};
    logic.WriteProperties(saved);
    std::vector<std::string> keys;
    for (const auto& value : saved.values())
        keys.push_back(value.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"Stale", "Enabled", "Caption", "Font", "FontColour", "Visible"}));
    CommandLogic copy(view);
    copy.ReadProperties(saved);
    EXPECT_EQ(copy.Caption(), "その他の作品");
    EXPECT_EQ(copy.Font(), bold);
    EXPECT_EQ(copy.LblMsg().colour, 0x80000012u);
    EXPECT_EQ(copy.Visible(), 0);
    EXPECT_FALSE(copy.fields().enabled);
}

TEST(CommandProperties, WritesNoteTheChangeAndDrawAsTheTableSays) {
    RecordingView view;
    CommandLogic logic(view);
    logic.ReadProperties(PropertyBag{});
    view.take();
    const struct {
        const char* what;
        void (*write)(CommandLogic&);
        const char* log;
    } cases[] = {
        {"Caption", [](CommandLogic& l) { l.Caption("x"); }, "changed"},
        {"Font", [](CommandLogic& l) { l.Font(design_font()); }, "changed"},
        {"FontColour", [](CommandLogic& l) { l.FontColour(0x123456); }, "Normal changed"},
        {"FontColour that cannot be set", [](CommandLogic& l) { l.FontColour(0x12345678); }, "Normal"},
        {"Visible 0", [](CommandLogic& l) { l.Visible(0); }, "changed"},
        {"Visible 7", [](CommandLogic& l) { l.Visible(7); }, "Normal changed"},
        {"Enabled false", [](CommandLogic& l) { l.Enabled(false); }, "changed Disable"},
        {"read Visible while disabled", [](CommandLogic& l) { l.Visible(); }, ""},
        {"Enabled true", [](CommandLogic& l) { l.Enabled(true); }, "changed Normal"},
        {"read FontColour", [](CommandLogic& l) { l.FontColour(); }, "Normal"},
        {"read Visible", [](CommandLogic& l) { l.Visible(); }, "Normal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.write(logic);
        EXPECT_EQ(view.take(), c.log);
    }
    EXPECT_EQ(logic.LblMsg().colour, 0x123456u);
}

}  // namespace
}  // namespace button
