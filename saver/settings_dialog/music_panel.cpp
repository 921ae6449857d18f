#include "saver/settings_dialog/music_panel.h"

#include "common/win32/bitmaps.h"
#include "common/win32/geometry.h"
#include "saver/button/command_paint.h"
#include "saver/button/property_set.h"
#include "saver/settings_dialog/dialog_layout.h"
#include "saver/settings_dialog/panel_hit_test.h"
#include "saver/settings_dialog/retained_gradient.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/texts.h"
#include "saver/shared/win32_twips.h"

namespace settings_dialog {
namespace {

constexpr char kClassName[] = "Ember_Lantern_PicC";

using shared::rect_of;

}  // namespace

MusicPanel::MusicPanel(PanelEvents& events, HINSTANCE instance)
    : events_(events),
      instance_(instance),
      font_(button::create_caption_font(button::design_font())),
      mark_clear_(win32::load_bitmap_resource(instance, IDB_MARK_CLEAR)),
      mark_chosen_(win32::load_bitmap_resource(instance, IDB_MARK_CHOSEN)) {}

bool MusicPanel::create(HWND dialog) noexcept {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    if (!win32::register_window_class(instance_, wc))
        return false;
    const shared::PixelRect place = shared::pixels_from_twips(kPanel);
    // WS_EX_CONTROLPARENT: a child control of the panel that has the focus
    // still belongs to the dialog's navigation.
    return create_window(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN,
                         place.left, place.top, place.width, place.height, dialog, instance_) != nullptr;
}

void MusicPanel::paint_gradient() noexcept {
    const RECT client = win32::client_rect(hwnd());
    retain_gradient(gradient_, client.right, client.bottom, GradientSurface::Panel);
}

void MusicPanel::show_mark(int kind, bool chosen) noexcept {
    if (kind < 0 || kind >= kKindCount || chosen_[kind] == chosen)
        return;
    chosen_[kind] = chosen;
    const RECT place = rect_of(kKindMark[kind]);
    InvalidateRect(hwnd(), &place, FALSE);
}

void MusicPanel::show_file_name(const std::string& path) noexcept {
    file_name_ = path;
    const RECT place = rect_of(kFileName);
    InvalidateRect(hwnd(), &place, FALSE);
}

LRESULT MusicPanel::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    switch (message) {
        case WM_ERASEBKGND:
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paint_message(message, wparam, lparam, [this](HDC dc) { draw(dc); });
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            const int kind = kind_at(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
            if (kind >= 0)
                events_.kind_pressed(kind);
            return 0;
        }
        case WM_COMMAND:
            events_.child_command(wparam, lparam);
            return 0;
        default:
            return default_handling(message, wparam, lparam);
    }
}

void MusicPanel::draw(HDC dc) noexcept {
    show_gradient(dc, hwnd(), gradient_);
    const win32::ScopedSelectObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));

    // A one-pixel black outline around the heading.
    const RECT frame = rect_of(kHeadingFrame);
    const win32::ScopedSelectObject pen(dc, GetStockObject(BLACK_PEN));
    const win32::ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);

    draw_label(dc, texts::kHeading, rect_of(kHeading), DT_CENTER);
    for (int kind = 0; kind < kKindCount; ++kind) {
        draw_mark(dc, rect_of(kKindMark[kind]), chosen_[kind]);
        draw_label(dc, texts::kKindNames[kind], rect_of(kKindLabel[kind]), DT_LEFT);
    }
    draw_label(dc, texts::kRepeatCaption, rect_of(kRepeatCaption), DT_LEFT);

    // lbl_Fname: a thin frame, the path inside it; a path too long for the
    // box loses its middle, so the file's own name stays in sight.
    const RECT box = rect_of(kFileName);
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    RECT text = box;
    InflateRect(&text, -3, -1);
    DrawTextA(dc, file_name_.c_str(), static_cast<int>(file_name_.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
}

void MusicPanel::draw_label(HDC dc, const char* text, const RECT& place, UINT format) noexcept {
    RECT r = place;
    DrawTextA(dc, text, -1, &r, format | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

void MusicPanel::draw_mark(HDC dc, const RECT& place, bool chosen) noexcept {
    win32::draw_bitmap(dc, chosen ? mark_chosen_.get() : mark_clear_.get(), place);
}

}  // namespace settings_dialog
