#include "saver/settings_dialog/panel_hit_test.h"

#include "saver/settings_dialog/dialog_layout.h"
#include "saver/shared/twips.h"

namespace settings_dialog {
namespace {

bool covers(const shared::TwipsRect& place, int x, int y, int dpi) {
    const common::PixelRect p = shared::pixels_from_twips(place, dpi);
    return x >= p.left && x < p.right && y >= p.top && y < p.bottom;
}

}  // namespace

int kind_at(int x, int y, int dpi) {
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (covers(kKindMark[kind], x, y, dpi) || covers(kKindLabel[kind], x, y, dpi))
            return kind;
    }
    return -1;
}

}  // namespace settings_dialog
