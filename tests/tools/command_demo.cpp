// command_demo: a host window with push buttons (Command) placed, loaded and
// initialised as the settings dialog does it, for trying them by hand and for
// the end-to-end tests. Never shipped. Console program: what happens is
// printed to stdout, one line each, flushed at once.
//
//   command_demo            the window "Command demo" at (0, 0), 420 x 120 pixels,
//                           on a striped background, with the buttons of kButtons;
//                           prints "ready", then "click ID" for each Click and
//                           "changed ID" for each out-of-date notice; runs until
//                           WM_CLOSE
//   command_demo gallery    the window "Command gallery": every look painted at
//                           69 x 25 and 117 x 28 pixels, for looking at
//
// Requests the tests post to "Command demo" (winprobe post), each answered
// with one line:
//   WM_APP + 1, ID, N    N hover cycles on button ID: the cursor put over it
//                        and a mouse move sent, then the cursor put elsewhere
//                        and the hover timer's tick sent; prints
//                        "cycles=N hover_looks=H leave_looks=L gdi_before=B gdi_after=A"
//                        (H, L: cycles whose look was read back as HighLight,
//                        then Normal, from the screen)
//   WM_APP + 2           "gdi idle=I with_100_brushes=W after=A": the counter
//                        of GDI objects moves when objects are made
//   WM_APP + 3, ID       reads Enabled of button ID; prints "enabled ID 0|1"
//   WM_APP + 4, ID, V    writes Enabled of button ID; prints "set ID V"
//   WM_APP + 5           "state ID BUTTONSTATE MOUSEDOWNFLAG" for each button
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/process_start.h"
#include "common/win32/window_base.h"
#include "saver/button/win32/command.h"
#include "saver/button/win32/command_paint.h"

namespace {

constexpr char kDemoCaption[] = "Command demo";
constexpr char kGalleryCaption[] = "Command gallery";
constexpr UINT kHoverCycles = WM_APP + 1;
constexpr UINT kGdiCheck = WM_APP + 2;
constexpr UINT kReadEnabled = WM_APP + 3;
constexpr UINT kWriteEnabled = WM_APP + 4;
constexpr UINT kPrintStates = WM_APP + 5;

struct DemoButton {
    int id;
    shared::TwipsRect place;
    const char* caption;
    bool enabled;
    bool opaque;
};

// The sizes of the settings dialog's buttons and the control's default size.
const DemoButton kButtons[] = {
    {1, {300, 300, 1035, 375}, "ｷｬﾝｾﾙ", true, true},         // 69 x 25 at (20, 20)
    {2, {300, 900, 1755, 420}, "その他の作品", true, true},  // 117 x 28 at (20, 60)
    {3, {1800, 300, 1035, 375}, "設定", false, true},        // disabled
    {4, {2400, 900, 1755, 420}, "透明", true, false},        // transparent
    {5, {3300, 300, 435, 315}, "...", true, true},           // 29 x 21, as the file button
};

void say(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Live GDI objects of this process. Wine's GetGuiResources answers 0; there
// the handle table is probed instead: Wine takes a handle's 16-bit index
// without its upper word.
unsigned long gdi_objects() {
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return reported;
    unsigned long count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return count;
}

void pump_messages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The stripes show where a transparent button lets its host through.
void paint_background(HDC dc, int width, int height) {
    for (int y = 0; y < height; y += 4) {
        const RECT band{0, y, width, y + 4};
        const win32::UniqueBrush brush(CreateSolidBrush((y / 4) % 2 ? RGB(60, 110, 90) : RGB(90, 140, 120)));
        FillRect(dc, &band, brush.get());
    }
}

class DemoWindow final : public win32::WindowBase {
public:
    bool create(HINSTANCE instance) {
        win32::WindowClass wc;
        wc.name = "command demo host";
        wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
        if (!win32::register_window_class(instance, wc) ||
            !create_window(0, wc.name, kDemoCaption, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 420, 120, nullptr,
                           instance))
            return false;
        // As the settings dialog does it: place, load the stored set, then
        // Initialize every button.
        for (const DemoButton& b : kButtons) {
            auto command = std::make_unique<button::Command>();
            if (!command->create(hwnd(), instance, b.id, b.place))
                return false;
            button::PropertyBag bag{{"Caption", std::string(b.caption)}, {"Font", button::design_font()}};
            if (!b.enabled)
                bag.write("Enabled", false, true);
            if (!b.opaque)
                bag.write("Visible", std::int32_t{0}, std::int32_t{1});
            command->ReadProperties(bag);
            buttons_.push_back(std::move(command));
        }
        for (auto& command : buttons_)
            command->Initialize();
        return true;
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        switch (message) {
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                const win32::PaintDc dc(hwnd());
                paint_client(dc.get());
                return 0;
            }
            case WM_PRINTCLIENT:
                paint_client(reinterpret_cast<HDC>(wparam));
                return 0;
            case WM_COMMAND:
                if (HIWORD(wparam) == BN_CLICKED)
                    say("click %u", LOWORD(wparam));
                else if (HIWORD(wparam) == button::kNotifyPropertiesChanged)
                    say("changed %u", LOWORD(wparam));
                return 0;
            case kHoverCycles:
                hover_cycles(static_cast<int>(wparam), static_cast<int>(lparam));
                return 0;
            case kGdiCheck:
                gdi_check();
                return 0;
            case kReadEnabled:
                if (button::Command* b = find(static_cast<int>(wparam)))
                    say("enabled %d %d", static_cast<int>(wparam), b->Enabled() ? 1 : 0);
                return 0;
            case kWriteEnabled:
                if (button::Command* b = find(static_cast<int>(wparam))) {
                    b->Enabled(lparam != 0);
                    say("set %d %d", static_cast<int>(wparam), lparam != 0 ? 1 : 0);
                }
                return 0;
            case kPrintStates:
                for (std::size_t i = 0; i < buttons_.size(); ++i) {
                    const button::CommandFields& f = buttons_[i]->fields();
                    say("state %d %d %d", kButtons[i].id, static_cast<int>(f.ButtonState), f.MouseDownFlag ? 1 : 0);
                }
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
            default:
                return default_handling(message, wparam, lparam);
        }
    }

    void paint_client(HDC dc) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        paint_background(dc, client.right, client.bottom);
    }

    button::Command* find(int id) {
        for (std::size_t i = 0; i < buttons_.size(); ++i)
            if (kButtons[i].id == id)
                return buttons_[i].get();
        return nullptr;
    }

    // The colour of the button's top ring 2 on the screen: FFF0CF in the
    // HighLight picture, F3F3EE in Normal.
    static COLORREF top_ring(HWND window) {
        const win32::WindowDc dc(window);
        return GetPixel(dc.get(), 10, 2);
    }

    void hover_cycles(int id, int cycles) {
        button::Command* b = find(id);
        if (!b)
            return;
        HWND window = b->hwnd();
        RECT r{};
        GetWindowRect(window, &r);
        const POINT inside{r.left + 5, r.top + 5}, outside{r.right + 40, r.bottom + 40};
        pump_messages();
        const unsigned long before = gdi_objects();
        int hover_looks = 0, leave_looks = 0;
        for (int i = 0; i < cycles; ++i) {
            SetCursorPos(inside.x, inside.y);
            SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            pump_messages();
            hover_looks += top_ring(window) == RGB(0xFF, 0xF0, 0xCF);
            SetCursorPos(outside.x, outside.y);
            SendMessageA(window, WM_TIMER, button::kTmrMouseTimerId, 0);
            pump_messages();
            leave_looks += top_ring(window) == RGB(0xF3, 0xF3, 0xEE);
        }
        const unsigned long after = gdi_objects();
        say("cycles=%d hover_looks=%d leave_looks=%d gdi_before=%lu gdi_after=%lu", cycles, hover_looks, leave_looks,
            before, after);
    }

    void gdi_check() {
        const unsigned long idle = gdi_objects();
        std::vector<win32::UniqueBrush> brushes;
        for (int i = 0; i < 100; ++i)
            brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
        const unsigned long with = gdi_objects();
        brushes.clear();
        say("gdi idle=%lu with_100_brushes=%lu after=%lu", idle, with, gdi_objects());
    }

    std::vector<std::unique_ptr<button::Command>> buttons_;
};

// Every look at the dialog's button size and at the control's default size.
class GalleryWindow final : public win32::WindowBase {
public:
    bool create(HINSTANCE instance) {
        pictures_ = std::make_unique<button::StatePictures>(instance);
        font_.reset(button::create_caption_font(button::design_font(), shared::kDesignDpi));
        win32::WindowClass wc;
        wc.name = "command gallery";
        return win32::register_window_class(instance, wc) &&
               create_window(0, wc.name, kGalleryCaption, WS_POPUP | WS_VISIBLE, 0, 0, 220, 260, nullptr, instance);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        if (message == WM_PAINT) {
            const win32::PaintDc dc(hwnd());
            paint(dc.get());
            return 0;
        }
        if (message == WM_DESTROY) {
            PostQuitMessage(0);
            return 0;
        }
        return default_handling(message, wparam, lparam);
    }

    void paint(HDC dc) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        struct Look {
            button::StatePicture picture;
            bool reversed;
        };
        const Look looks[] = {
            {button::StatePicture::Normal, false},         {button::StatePicture::HighLight, true},
            {button::StatePicture::HighLightSelect, true}, {button::StatePicture::HighLightSelect, false},
            {button::StatePicture::Selected, false},       {button::StatePicture::Pressed, true},
            {button::StatePicture::Pressed, false},        {button::StatePicture::Disable, false},
        };
        const SIZE sizes[] = {{69, 25}, {117, 28}};
        int y = 4;
        for (const Look& look : looks) {
            int x = 4;
            for (const SIZE& size : sizes) {
                paint_one(dc, x, y, size, look.picture, look.reversed);
                x += size.cx + 8;
            }
            y += 32;
        }
    }

    void paint_one(HDC dc, int x, int y, SIZE size, button::StatePicture picture, bool reversed) {
        win32::MemoryDc memory(CreateCompatibleDC(dc));
        const win32::UniqueBitmap bitmap(CreateCompatibleBitmap(dc, size.cx, size.cy));
        const win32::ScopedSelectObject select(memory.get(), bitmap.get());
        button::PaintRecord record;
        button::paint_look(memory.get(), size.cx, size.cy, pictures_->get(picture), reversed, record,
                           shared::kDesignDpi);
        button::CaptionElement caption;
        caption.text = "設定";
        caption.enabled = picture != button::StatePicture::Disable;
        const int top = shared::pixels_from_twips(
            button::caption_top(shared::twips_from_pixels(size.cy, shared::kDesignDpi)), shared::kDesignDpi);
        const RECT element{0, top, size.cx, top + 13};
        button::draw_caption(memory.get(), caption, font_.get(), element);
        BitBlt(dc, x, y, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
    }

    std::unique_ptr<button::StatePictures> pictures_;
    win32::UniqueFont font_;
};

}  // namespace

int main(int argc, char** argv) {
    win32::start_process();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const bool gallery = argc > 1 && std::strcmp(argv[1], "gallery") == 0;
    DemoWindow demo;
    GalleryWindow gallery_window;
    if (gallery ? !gallery_window.create(instance) : !demo.create(instance))
        return 1;
    say("ready");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
