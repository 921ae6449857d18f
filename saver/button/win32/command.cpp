#include "saver/button/win32/command.h"

#include <cstring>
#include <new>

#include "common/win32/display_dpi.h"
#include "common/win32/geometry.h"
#include "saver/button/frame_geometry.h"

namespace button {
namespace {

bool register_command_class(HINSTANCE instance) noexcept {
    win32::WindowClass wc;
    wc.name = kCommandClassName;
    // No CS_DBLCLKS: a quick second press is a press like any other.
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    return win32::register_window_class(instance, wc);
}

}  // namespace

bool Command::create(HWND parent, HINSTANCE instance, int control_id, const shared::TwipsRect& place) noexcept {
    if (!register_command_class(instance))
        return false;
    pictures_.reset(new (std::nothrow) StatePictures(instance));
    dpi_ = win32::window_dpi(parent);
    font_made_from_ = logic_.LblMsg().font;
    font_.reset(create_caption_font(font_made_from_, dpi_));
    const common::PixelRect at = shared::pixels_from_twips(place, dpi_);
    // No WS_TABSTOP yet: it follows the enabled flag, which starts false.
    return create_window(0, kCommandClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.left, at.top, at.width(),
                         at.height(), parent, instance, control_id) != nullptr;
}

void Command::rescale(int dpi, const shared::TwipsRect& place) noexcept {
    dpi_ = dpi;
    font_.reset(create_caption_font(font_made_from_, dpi_));
    const common::PixelRect at = shared::pixels_from_twips(place, dpi_);
    const RECT before = win32::client_rect(hwnd());
    SetWindowPos(hwnd(), nullptr, at.left, at.top, at.width(), at.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    // A new size repaints through WM_SIZE; the same size at another scale
    // still needs its corners and caption redrawn.
    if (at.width() == before.right && at.height() == before.bottom)
        logic_.Resize();
}

Command* Command::from_window(HWND window) noexcept {
    char name[sizeof kCommandClassName + 1] = {};
    if (!window || !GetClassNameA(window, name, sizeof name) || std::strcmp(name, kCommandClassName) != 0)
        return nullptr;
    auto* base = reinterpret_cast<win32::WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return static_cast<Command*>(base);
}

LRESULT Command::handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept {
    switch (message) {
        case WM_SIZE:
            on_size(LOWORD(lparam), HIWORD(lparam));
            return 0;
        case WM_ERASEBKGND:
        case WM_PAINT:
        case WM_PRINTCLIENT:
            return paint_message(message, wparam, lparam, [this](HDC dc) { show(dc); });
        case WM_TIMER:
            on_timer(wparam);
            return 0;
        case WM_SETFOCUS:
            logic_.GotFocus();
            return 0;
        case WM_KILLFOCUS:
            logic_.LostFocus();
            return 0;
        case WM_MOUSEMOVE:
            logic_.MouseMove();
            return 0;
        case WM_LBUTTONDOWN:
            on_left_press();
            return 0;
        case WM_LBUTTONUP:
            on_left_release();
            return 0;
        case WM_CAPTURECHANGED:
            if (!releasing_capture_)
                logic_.CaptureLost();
            return 0;
        case WM_RBUTTONDOWN:
            logic_.MouseDown(MouseButton::Right);
            return 0;
        case WM_MBUTTONDOWN:
            logic_.MouseDown(MouseButton::Middle);
            return 0;
        // Click may destroy the control: nothing of it is touched after.
        case WM_RBUTTONUP:
            logic_.MouseUp(MouseButton::Right);
            return 0;
        case WM_MBUTTONUP:
            logic_.MouseUp(MouseButton::Middle);
            return 0;
        case WM_KEYDOWN:
            if (wparam != VK_SPACE)
                return default_handling(message, wparam, lparam);
            // Bit 30: the key was already down, an auto-repeat.
            logic_.SpaceDown((lparam & (1 << 30)) != 0);
            return 0;
        case WM_KEYUP:
            if (wparam != VK_SPACE)
                return default_handling(message, wparam, lparam);
            logic_.SpaceUp();
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd(), kTmrMouseTimerId);
            return 0;
        default:
            return default_handling(message, wparam, lparam);
    }
}

void Command::on_size(int width, int height) noexcept {
    // A new surface starts black; Resize paints it at once.
    surface_.resize(width, height);
    logic_.Resize();
}

void Command::on_timer(UINT_PTR id) noexcept {
    if (id != kTmrMouseTimerId)
        return;
    POINT cursor{};
    // Without a cursor position there is nothing to decide this tick.
    if (!GetCursorPos(&cursor))
        return;
    logic_.TmrMouse_Timer(WindowFromPoint(cursor) == hwnd());
}

void Command::on_left_press() noexcept {
    // A disabled button ignores the press altogether.
    if (logic_.fields().enabled) {
        if (GetFocus() != hwnd())
            SetFocus(hwnd());
        SetCapture(hwnd());
    }
    logic_.MouseDown(MouseButton::Left);
}

void Command::on_left_release() noexcept {
    // Our own release of the capture does not end the press: this release does.
    if (GetCapture() == hwnd()) {
        releasing_capture_ = true;
        ReleaseCapture();
        releasing_capture_ = false;
    }
    logic_.MouseUp(MouseButton::Left);
}

void Command::show(HDC dc) noexcept {
    if (!logic_.opaque())
        show_parent(dc);
    else
        surface_.show(dc);
    draw_caption(dc, logic_.LblMsg(), font_.get(), caption_rect());
}

void Command::show_parent(HDC dc) noexcept {
    HWND parent = GetParent(hwnd());
    if (!parent)
        return;
    POINT origin{0, 0};
    MapWindowPoints(hwnd(), parent, &origin, 1);
    POINT previous{};
    if (!OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous))
        return;
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

RECT Command::caption_rect() const noexcept {
    const int top = shared::pixels_from_twips(caption_top_, dpi_);
    return RECT{0, top, shared::pixels_from_twips(caption_width_, dpi_),
                top + shared::pixels_from_twips(kCaptionHeight, dpi_)};
}

void Command::present() noexcept {
    if (hwnd())
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Command::notify_parent(WORD code) noexcept {
    HWND parent = GetParent(hwnd());
    if (!parent)
        return;
    const auto id = static_cast<WORD>(GetDlgCtrlID(hwnd()));
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hwnd()));
}

void Command::PaintState(StatePicture picture, bool gradient_reversed) {
    const RECT outer = win32::window_rect(hwnd());
    if (surface_.dc()) {
        paint_look(surface_.dc(), surface_.width(), surface_.height(), pictures_ ? pictures_->get(picture) : nullptr,
                   gradient_reversed, record_, dpi_);
    }
    caption_top_ = caption_top(shared::twips_from_pixels(win32::height_of(outer), dpi_));
    caption_width_ = shared::twips_from_pixels(win32::width_of(outer), dpi_);
    present();
}

void Command::caption_changed() {
    const FontDescription& font = logic_.LblMsg().font;
    if (!font_ || font != font_made_from_) {
        font_.reset(create_caption_font(font, dpi_));
        font_made_from_ = font;
    }
    present();
}

void Command::background_changed() {
    present();
}

void Command::enabled_changed() {
    // Dialog navigation skips a disabled button.
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    const LONG_PTR tab_stop = logic_.fields().enabled ? WS_TABSTOP : 0;
    SetWindowLongPtrA(hwnd(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_TABSTOP)) | tab_stop);
}

void Command::start_mouse_timer(unsigned interval_ms) {
    // Without a window this would make a timer of the thread instead.
    if (hwnd())
        SetTimer(hwnd(), kTmrMouseTimerId, interval_ms, nullptr);
}

void Command::Click() {
    notify_parent(BN_CLICKED);
}

void Command::properties_changed() {
    notify_parent(kNotifyPropertiesChanged);
}

FontDescription Command::ambient_font() {
    HWND parent = GetParent(hwnd());
    auto offered = parent ? reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTA description{};
    if (!offered || GetObjectA(offered, sizeof description, &description) != sizeof description)
        return design_font();
    FontDescription font;
    font.face.assign(description.lfFaceName, strnlen(description.lfFaceName, sizeof description.lfFaceName));
    // A negative height is the character height in pixels, a positive one the
    // cell height, taken here as the same.
    const long pixels = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
    font.size_points =
        static_cast<double>(shared::twips_from_pixels(static_cast<int>(pixels), dpi_)) / shared::kTwipsPerPoint;
    font.weight = static_cast<std::int16_t>(description.lfWeight);
    font.italic = description.lfItalic != 0;
    font.underline = description.lfUnderline != 0;
    font.strikethrough = description.lfStrikeOut != 0;
    font.charset = description.lfCharSet;
    return font;
}

}  // namespace button
