#include "saver/button/win32/command_paint.h"

#include <algorithm>
#include <cstring>

#include "common/win32/bitmaps.h"
#include "common/win32/geometry.h"
#include "common/win32/struct_sizes.h"
#include "common/win32/system_library.h"
#include "saver/shared/resource_ids.h"
#include "saver/shared/twips.h"

namespace button {
namespace {

using GradientFillFunction = decltype(&::GradientFill);

// Resolved once; the module stays loaded for the life of the process.
GradientFillFunction gradient_fill() noexcept {
    static const GradientFillFunction function = [] {
        GradientFillFunction f = nullptr;
        win32::resolve(win32::load_system_library("msimg32.dll"), "GradientFill", f);
        return f;
    }();
    return function;
}

TRIVERTEX to_trivertex(const Vertex& v) {
    TRIVERTEX t{};
    EL_ASSERT_SHIPPED_SIZE(TRIVERTEX, 16);
    t.x = v.x;
    t.y = v.y;
    t.Red = v.colour.red;
    t.Green = v.colour.green;
    t.Blue = v.colour.blue;
    t.Alpha = 0;
    return t;
}

// A slice's place in pixels at `dpi`, rounded as every place in twips is.
RECT rect_of(const shared::TwipsRect& place, int dpi) noexcept {
    return win32::rect_of(shared::pixels_from_twips(place, dpi));
}

void copy_slices(HDC dc, HBITMAP picture, const FrameGeometry& geometry, int dpi) noexcept {
    // An edge is stretched pixel by pixel; a control smaller than its two
    // corners has no room for the edges, which then draw nothing. The control
    // is measured at its display's scale, the picture at the one it was
    // drawn at.
    for (const FrameSlice& slice : frame_slices(geometry))
        win32::draw_bitmap(dc, picture, rect_of(slice.to, dpi), rect_of(slice.from, shared::kDesignDpi));
}

}  // namespace

StatePictures::StatePictures(HINSTANCE module) noexcept {
    static_assert(IDB_BUTTON_DISABLE - IDB_BUTTON_NORMAL + 1 == kStatePictureCount);
    for (int i = 0; i < kStatePictureCount; ++i)
        bitmaps_[static_cast<std::size_t>(i)] = win32::load_bitmap_resource(module, IDB_BUTTON_NORMAL + i);
}

HBITMAP StatePictures::get(StatePicture picture) const noexcept {
    return bitmaps_[static_cast<std::size_t>(picture)].get();
}

void paint_gradient(HDC dc, int width, int height, bool gradient_reversed, GradientRecord& record) noexcept {
    update_gradient(record, gradient_reversed, width, height);
    const GradientFillFunction fill = gradient_fill();
    if (!fill)
        return;
    TRIVERTEX vertices[2] = {to_trivertex(record.vertex[0]), to_trivertex(record.vertex[1])};
    GRADIENT_RECT rect{record.upper_left, record.lower_right};
    fill(dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
}

void paint_look(HDC dc,
                int width,
                int height,
                HBITMAP picture,
                bool gradient_reversed,
                PaintRecord& record,
                int dpi) noexcept {
    update_frame_geometry(record.geometry, shared::twips_from_pixels(width, dpi),
                          shared::twips_from_pixels(height, dpi));
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    paint_gradient(dc, width, height, gradient_reversed, record.gradient);
    copy_slices(dc, picture, record.geometry, dpi);
}

HFONT create_caption_font(const FontDescription& font, int dpi) noexcept {
    LOGFONTA description{};
    EL_ASSERT_SHIPPED_SIZE(LOGFONTA, 60);
    description.lfHeight = -shared::pixels_from_points(font.size_points, dpi);
    description.lfWeight = font.weight;
    description.lfItalic = font.italic;
    description.lfUnderline = font.underline;
    description.lfStrikeOut = font.strikethrough;
    description.lfCharSet = font.charset;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(font.face.size(), sizeof description.lfFaceName - 1);
    std::memcpy(description.lfFaceName, font.face.data(), length);
    return CreateFontIndirectA(&description);
}

COLORREF colour_ref(std::uint32_t colour) noexcept {
    if (colour & 0x80000000u)
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

void draw_caption(HDC dc, const CaptionElement& caption, HFONT font, const RECT& element) noexcept {
    if (caption.text.empty())
        return;
    const win32::ScopedSelectObject select(dc, font);
    const int previous_mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previous_colour = GetTextColor(dc);
    constexpr UINT kFormat = DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX;
    const int length = static_cast<int>(caption.text.size());
    RECT place = element;
    if (caption.enabled) {
        SetTextColor(dc, colour_ref(caption.colour));
        DrawTextA(dc, caption.text.c_str(), length, &place, kFormat);
    } else {
        // The system's disabled text: a highlight one pixel down and right,
        // the shadow over it.
        RECT raised = element;
        OffsetRect(&raised, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, caption.text.c_str(), length, &raised, kFormat);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextA(dc, caption.text.c_str(), length, &place, kFormat);
    }
    SetTextColor(dc, previous_colour);
    if (previous_mode)
        SetBkMode(dc, previous_mode);
}

}  // namespace button
