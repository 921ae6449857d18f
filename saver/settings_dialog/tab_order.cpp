#include "saver/settings_dialog/tab_order.h"

namespace settings_dialog {

std::optional<int> next_tab_stop(const std::vector<bool>& takes_focus, int current, bool backwards) {
    const int count = static_cast<int>(takes_focus.size());
    const int step = backwards ? count - 1 : 1;
    for (int tried = 1, i = current; tried <= count; ++tried) {
        i = (i < 0 ? (backwards ? count - 1 : 0) : (i + step) % count);
        if (takes_focus[i])
            return i;
    }
    return std::nullopt;
}

}  // namespace settings_dialog
