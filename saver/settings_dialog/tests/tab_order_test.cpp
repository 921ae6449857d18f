// Where Tab and Shift+Tab move the dialog's focus.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "saver/settings_dialog/tab_order.h"

namespace {

using settings_dialog::next_tab_stop;

TEST(TabStepping, NextControlThatCanTakeTheFocus) {
    // The dialog's order: panel, repeat box, "...", "設定", "ｷｬﾝｾﾙ", "その他の作品".
    const std::vector<bool> all(6, true);
    const std::vector<bool> no_cd_no_file = {true, false, false, true, true, true};
    const std::vector<bool> only_repeat = {false, true, false, false, false, false};
    const std::vector<bool> none(6, false);
    const struct {
        const char* name;
        std::vector<bool> takes_focus;
        int current;
        bool backwards;
        std::optional<int> want;
    } cases[] = {
        {"forward from the panel", all, 0, false, 1},
        {"forward wraps round", all, 5, false, 0},
        {"backwards from the panel wraps round", all, 0, true, 5},
        {"backwards", all, 3, true, 2},
        {"no focus: forward starts at the first", all, -1, false, 0},
        {"no focus: backwards starts at the last", all, -1, true, 5},
        {"disabled controls are skipped forward", no_cd_no_file, 0, false, 3},
        {"disabled controls are skipped backwards", no_cd_no_file, 3, true, 0},
        {"the only control keeps the focus", only_repeat, 1, false, 1},
        {"the only control, from elsewhere", only_repeat, 4, true, 1},
        {"no focus, one control", only_repeat, -1, true, 1},
        {"nothing can take it", none, 2, false, std::nullopt},
        {"nothing at all", {}, -1, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(next_tab_stop(c.takes_focus, c.current, c.backwards), c.want) << c.name;
}

}  // namespace
