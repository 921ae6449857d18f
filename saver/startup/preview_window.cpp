#include "saver/startup/preview_window.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "saver/startup/last_api_result.h"
#include "saver/startup/resource_ids.h"
#include "saver/startup/texts.h"
#include "saver/startup/win32_handles.h"

namespace {

constexpr char kClassName[] = "Ember_Lantern_R";

// Releases a COM interface pointer when it leaves scope.
template <typename T>
struct ComReleaser {
    void operator()(T* p) const { p->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComReleaser<T>>;

class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

class PreviewWindow {
public:
    explicit PreviewWindow(HINSTANCE instance) : picture_(LoadJpegResource(instance, IDR_PREVIEW_JPEG)) {}

    HWND Create(HINSTANCE instance) {
        // Created as a hidden borderless top-level window; the set-up makes it
        // a child of the host afterwards.
        return CreateWindowExA(0, kClassName, texts::kPreviewCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                               this);
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY)
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (!self)
            return DefWindowProcA(window, message, wparam, lparam);
        switch (message) {
            case WM_ERASEBKGND:
                return 1;  // WM_PAINT covers every pixel
            case WM_PAINT:
                self->OnPaint(window);
                return 0;
            case WM_DESTROY:
                self->FormUnload(window);
                return 0;
            default:
                return DefWindowProcA(window, message, wparam, lparam);
        }
    }

private:
    void OnPaint(HWND window) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client{};
        GetClientRect(window, &client);
        PaintPreview(dc, client.right, client.bottom, picture_.get());
        EndPaint(window, &ps);
    }

    // The window is going, usually with its host: the close request to itself
    // is what the window has always done on unload; ending the message loop is
    // what makes the process end with it.
    void FormUnload(HWND window) {
        LastApiResult = PostMessageA(window, WM_CLOSE, 0, 0);
        PostQuitMessage(0);
    }

    ScopedBitmap picture_;
};

bool RegisterPreviewClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PreviewWindow::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HBITMAP LoadJpegResource(HINSTANCE module, int resource_id) {
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
    ComPtr<IStream> stream(raw_stream);

    ComApartment apartment;
    void* raw_picture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, &raw_picture)))
        return nullptr;
    ComPtr<IPicture> picture(static_cast<IPicture*>(raw_picture));
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle)) || handle == 0)
        return nullptr;
    // A copy of our own, so the picture object can go now.
    return static_cast<HBITMAP>(
        CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void PaintPreview(HDC dc, int width, int height, HBITMAP picture) {
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BITMAP info{};
    if (!picture || !GetObjectA(picture, sizeof info, &info))
        return;
    ScopedMemoryDc source(CreateCompatibleDC(dc));
    if (!source)
        return;
    ScopedSelectObject select(source.get(), picture);
    BitBlt(dc, 0, 0, std::min<int>(width, info.bmWidth), std::min<int>(height, info.bmHeight), source.get(), 0, 0,
           SRCCOPY);
}

bool SetUpPreview(HINSTANCE instance, HWND host) {
    RECT host_rect{};
    LastApiResult = GetWindowRect(host, &host_rect);
    const int width = host_rect.right - host_rect.left;
    const int height = host_rect.bottom - host_rect.top;

    if (!RegisterPreviewClass(instance))
        return false;
    // Lives as long as the process: the window is its only reason to run.
    static PreviewWindow* preview = new PreviewWindow(instance);
    HWND window = preview->Create(instance);
    if (!window)
        return false;

    // SetParent wants WS_POPUP cleared when WS_CHILD is set.
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    LastApiResult = SetWindowLongA(window, GWL_STYLE, (style & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
    LastApiResult = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(SetParent(window, host)));
    MoveWindow(window, 0, 0, width, height, FALSE);
    ShowWindow(window, SW_SHOW);
    return true;
}
