#include "saver/startup/preview_window.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "common/win32/bitmaps.h"
#include "common/win32/geometry.h"
#include "common/win32/handles.h"
#include "common/win32/window_base.h"
#include "saver/shared/last_api_result.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/texts.h"

namespace startup {

namespace {

constexpr char kClassName[] = "Ember_Lantern_R";

class PreviewWindow final : public win32::WindowBase {
public:
    explicit PreviewWindow(HINSTANCE instance) : picture_(load_jpeg_resource(instance, IDR_PREVIEW_JPEG)) {}

    HWND create(HINSTANCE instance) {
        // Created as a hidden borderless top-level window; the set-up makes it
        // a child of the host afterwards.
        return create_window(0, kClassName, texts::kPreviewCaption, WS_POPUP, 0, 0, 0, 0, nullptr, instance);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) noexcept override {
        switch (message) {
            case WM_ERASEBKGND:
            case WM_PAINT:
            case WM_PRINTCLIENT:
                return paint_message(message, wparam, lparam, [this](HDC dc) { draw(dc); });
            case WM_DESTROY:
                Form_Unload();
                return 0;
            default:
                return default_handling(message, wparam, lparam);
        }
    }

    void draw(HDC dc) noexcept {
        const RECT client = win32::client_rect(hwnd());
        paint_preview(dc, client.right, client.bottom, picture_.get());
    }

    // The window is going, usually with its host: the close request to itself
    // is what the window has always done on unload; ending the message loop is
    // what makes the process end with it.
    void Form_Unload() {
        shared::LastApiResult = PostMessageA(hwnd(), WM_CLOSE, 0, 0);
        PostQuitMessage(0);
    }

    win32::UniqueBitmap picture_;
};

bool register_preview_class(HINSTANCE instance) {
    win32::WindowClass wc;
    wc.name = kClassName;
    wc.cursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return win32::register_window_class(instance, wc);
}

}  // namespace

HBITMAP load_jpeg_resource(HINSTANCE module, int resource_id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(resource_id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!info)
        return nullptr;
    const DWORD size = SizeofResource(module, info);
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return nullptr;
    // The stream owns this copy and frees it when released.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    void* target = GlobalLock(copy);
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    IStream* raw_stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &raw_stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    win32::ComPtr<IStream> stream(raw_stream);

    win32::ComApartment apartment;
    void* raw_picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, &raw_picture)))
        return nullptr;
    win32::ComPtr<IPicture> picture(static_cast<IPicture*>(raw_picture));
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || handle == 0)
        return nullptr;
    // A copy of our own, so the picture object can go now.
    return static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void paint_preview(HDC dc, int width, int height, HBITMAP picture) {
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    win32::draw_bitmap(dc, picture, all);
}

bool set_up_preview(HINSTANCE instance, HWND host) {
    RECT host_rect{};
    shared::LastApiResult = GetWindowRect(host, &host_rect);
    const int width = win32::width_of(host_rect);
    const int height = win32::height_of(host_rect);

    if (!register_preview_class(instance))
        return false;
    // Lives as long as the process: the window is its only reason to run.
    static PreviewWindow* preview = new PreviewWindow(instance);
    HWND window = preview->create(instance);
    if (!window)
        return false;

    // SetParent wants WS_POPUP cleared when WS_CHILD is set.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    shared::LastApiResult = SetWindowLongA(window, GWL_STYLE, (style & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
    shared::LastApiResult = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(SetParent(window, host)));
    MoveWindow(window, 0, 0, width, height, FALSE);
    ShowWindow(window, SW_SHOW);
    return true;
}

}  // namespace startup
