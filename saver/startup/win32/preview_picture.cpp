#include "saver/startup/win32/preview_picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "common/win32/bitmaps.h"
#include "common/win32/com_ptr.h"
#include "saver/shared/preview_still.h"
#include "saver/shared/resource_ids.h"

namespace startup {

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

win32::UniqueBitmap preview_picture(HINSTANCE module, int dpi) {
    const shared::StillSize size = shared::preview_still_size(dpi);
    if (size == shared::preview_still_size(shared::kDesignDpi))
        return win32::UniqueBitmap(load_jpeg_resource(module, IDR_PREVIEW_JPEG));
    // Reduced from the larger still up to twice the 100 % size, so every
    // pixel holds the detail of its own area; beyond, enlarged from it.
    win32::UniqueBitmap source(load_jpeg_resource(module, IDR_PREVIEW_LARGE_JPEG));
    if (!source)
        source.reset(load_jpeg_resource(module, IDR_PREVIEW_JPEG));
    return win32::halftone_copy(source.get(), size.width, size.height);
}

void paint_preview(HDC dc, int width, int height, HBITMAP picture) {
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    win32::draw_bitmap(dc, picture, all);
}

}  // namespace startup
