#include "saver/settings_dialog/win32/music_panel.h"

#include <cstdint>
#include <optional>

#include "common/win32/bitmaps.h"
#include "common/win32/focus_cues.h"
#include "common/win32/geometry.h"
#include "saver/button/property_set.h"
#include "saver/button/win32/command_paint.h"
#include "saver/settings_dialog/win32/gradient_rows.h"
#include "saver/shared/mark_pictures.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/texts.h"

namespace settings_dialog {
namespace {

constexpr char kClassName[] = "Ember_Lantern_PicC";

// An arrow key's way through the rows: Down and Right go down, Up and Left
// up, as in a group of option buttons. nullopt for any other key.
std::optional<bool> steps_down(WPARAM key) {
    switch (key) {
        case VK_DOWN:
        case VK_RIGHT:
            return true;
        case VK_UP:
        case VK_LEFT:
            return false;
        default:
            return std::nullopt;
    }
}

// A mark drawn at `size` pixels from the rule the stored pictures follow.
win32::UniqueBitmap drawn_mark(int size, bool chosen) {
    std::uint32_t* pixel = nullptr;
    win32::UniqueBitmap bitmap = win32::make_dib_section(size, size, &pixel);
    if (!bitmap)
        return nullptr;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            *pixel++ = shared::mark_colour(size, x, y, chosen);
    }
    GdiFlush();
    return bitmap;
}

}  // namespace

bool MusicPanel::create(HWND dialog, int dpi, int control_id) noexcept {
    dpi_ = dpi;
    make_scaled_parts();
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    if (!win32::register_window_class(instance_, wc))
        return false;
    const common::PixelRect place = shared::pixels_from_twips(kPanel, dpi_);
    // WS_EX_CONTROLPARENT: a child control of the panel that has the focus
    // still belongs to the dialog's navigation.
    return create_window(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN,
                         place.left, place.top, place.width(), place.height(), dialog, instance_,
                         control_id) != nullptr;
}

void MusicPanel::rescale(int dpi) noexcept {
    dpi_ = dpi;
    make_scaled_parts();
    const common::PixelRect place = shared::pixels_from_twips(kPanel, dpi_);
    SetWindowPos(hwnd(), nullptr, place.left, place.top, place.width(), place.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MusicPanel::make_scaled_parts() noexcept {
    font_.reset(button::create_caption_font(button::design_font(), dpi_));
    const int mark_size = shared::mark_pixels(dpi_);
    if (mark_size == shared::kMarkPicturePixels) {
        mark_clear_ = win32::load_bitmap_resource(instance_, IDB_MARK_CLEAR);
        mark_chosen_ = win32::load_bitmap_resource(instance_, IDB_MARK_CHOSEN);
    } else {
        mark_clear_ = drawn_mark(mark_size, false);
        mark_chosen_ = drawn_mark(mark_size, true);
    }
}

RECT MusicPanel::rect_of(const shared::TwipsRect& twips) const noexcept {
    return win32::rect_of(shared::pixels_from_twips(twips, dpi_));
}

void MusicPanel::paint_gradient() noexcept {
    const RECT client = win32::client_rect(hwnd());
    retain_gradient(gradient_, client.right, client.bottom, GradientSurface::Panel);
}

void MusicPanel::show_kind(std::int16_t kind) noexcept {
    kind_ = kind;
    for (const shared::TwipsRect& mark : kKindMark) {
        const RECT place = rect_of(mark);
        InvalidateRect(hwnd(), &place, FALSE);
    }
    // The focus rectangle follows the choice, off the name it was around.
    if (focused_)
        invalidate_focus_places();
}

void MusicPanel::show_file_name(const std::wstring& path) noexcept {
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
            const int kind = kind_at(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)), dpi_);
            if (kind >= 0)
                notify_parent(static_cast<WORD>(kNotifyKindChosen + kind));
            return 0;
        }
        case WM_KEYDOWN:
            // Each key-down steps once, auto-repeated ones too.
            if (const std::optional<bool> down = steps_down(wparam)) {
                win32::show_focus_cues(hwnd());
                notify_parent(static_cast<WORD>(kNotifyKindChosen + kind_after_step(kind_, *down)));
                return 0;
            }
            return default_handling(message, wparam, lparam);
        case WM_UPDATEUISTATE: {
            const LRESULT result = default_handling(message, wparam, lparam);
            invalidate_focus(chosen_kind());
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused_ = message == WM_SETFOCUS;
            invalidate_focus(chosen_kind());
            return 0;
        case WM_COMMAND:
            // A child control's notice, for the dialog.
            SendMessageA(GetParent(hwnd()), WM_COMMAND, wparam, lparam);
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
    const KindLook look = kind_look(kind_);
    for (int kind = 0; kind < kKindCount; ++kind) {
        draw_mark(dc, rect_of(kKindMark[kind]), look.chosen[kind]);
        draw_label(dc, texts::kKindNames[kind], rect_of(kKindLabel[kind]), DT_LEFT);
    }
    draw_label(dc, texts::kRepeatCaption, rect_of(kRepeatCaption), DT_LEFT);

    // lbl_Fname: a thin frame, the path inside it; a path too long for the
    // box loses its middle, so the file's own name stays in sight.
    const RECT box = rect_of(kFileName);
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    RECT text = box;
    InflateRect(&text, -shared::scaled_pixels(3, dpi_), -shared::scaled_pixels(1, dpi_));
    DrawTextW(dc, file_name_.c_str(), static_cast<int>(file_name_.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);

    // Last, since it inverts the pixels under it.
    const int chosen = chosen_kind();
    if (focused_ && chosen >= 0 && win32::focus_cues_shown(hwnd())) {
        const RECT focus = focus_place(dc, chosen);
        DrawFocusRect(dc, &focus);
    }
}

void MusicPanel::draw_label(HDC dc, const char* text, const RECT& place, UINT format) noexcept {
    RECT r = place;
    DrawTextA(dc, text, -1, &r, format | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}

int MusicPanel::chosen_kind() const noexcept {
    return kind_ >= 0 && kind_ < kKindCount ? kind_ : -1;
}

// The focus rectangle of a kind's name, as an option button has it: around
// the extent of the text, one pixel outside it on every side.
RECT MusicPanel::focus_place(HDC dc, int kind) const noexcept {
    const win32::ScopedSelectObject font(dc, font_.get());
    RECT place = rect_of(kKindLabel[kind]);
    DrawTextA(dc, texts::kKindNames[kind], -1, &place, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    InflateRect(&place, 1, 1);
    return place;
}

void MusicPanel::invalidate_focus(int kind) noexcept {
    if (kind < 0 || kind >= kKindCount)
        return;
    const win32::WindowDc dc(hwnd());
    if (!dc)
        return;
    const RECT place = focus_place(dc.get(), kind);
    InvalidateRect(hwnd(), &place, FALSE);
}

void MusicPanel::invalidate_focus_places() noexcept {
    for (int kind = 0; kind < kKindCount; ++kind)
        invalidate_focus(kind);
}

void MusicPanel::notify_parent(WORD code) noexcept {
    SendMessageA(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd()), code),
                 reinterpret_cast<LPARAM>(hwnd()));
}

void MusicPanel::draw_mark(HDC dc, const RECT& place, bool chosen) noexcept {
    win32::draw_bitmap(dc, chosen ? mark_chosen_.get() : mark_clear_.get(), place);
}

}  // namespace settings_dialog
