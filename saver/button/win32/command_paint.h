// Drawing of the push button Command into any DC: the control's retained
// surface, its window, or a test's DIB section. The decisions (which
// picture, which direction, where) come from the portable logic; this only
// makes the GDI calls. GradientFill lives in msimg32.dll, which is not one of
// the system's known DLLs: it is loaded from the system folder only, never
// imported.
#pragma once

#include <windows.h>

#include <array>

#include "common/win32/handles.h"
#include "saver/button/body_gradient.h"
#include "saver/button/command.h"
#include "saver/button/frame_geometry.h"
#include "saver/shared/twips.h"

namespace button {

// One control's six state pictures, loaded from the module's bitmap
// resources IDB_BUTTON_* (saver/shared/resource_ids.h). A picture that is
// missing is null, and its looks draw no frame.
class StatePictures {
public:
    explicit StatePictures(HINSTANCE module) noexcept;
    HBITMAP get(StatePicture picture) const noexcept;

private:
    std::array<win32::UniqueBitmap, kStatePictureCount> bitmaps_;
};

// What a control keeps from one paint to the next.
struct PaintRecord {
    FrameGeometry geometry;
    GradientRecord gradient;
};

// One whole look on a surface of `width` x `height` pixels (the control's
// size) on a display of `dpi` dots per inch: cleared to the system's button
// face, the body gradient, then the eight frame slices of `picture` (null:
// no frame), edges stretched; the corners keep their size in twips, so at
// 96 dpi they are copied as they are and at other scales stretched with
// them. Each step stands alone: one that fails is skipped.
void paint_look(HDC dc,
                int width,
                int height,
                HBITMAP picture,
                bool gradient_reversed,
                PaintRecord& record,
                int dpi) noexcept;

// The body gradient alone (a step of paint_look): white to the tint from the
// top, or the other way round when reversed; the last column and row are left
// as they were.
void paint_gradient(HDC dc, int width, int height, bool gradient_reversed, GradientRecord& record) noexcept;

// The GDI font of a caption font at `dpi` dots per inch; null when it cannot
// be made.
HFONT create_caption_font(const FontDescription& font, int dpi) noexcept;

// The Windows colour of a caption colour: a system colour value is resolved.
COLORREF colour_ref(std::uint32_t colour) noexcept;

// The caption element in `element` (pixels): one centred text, transparent
// background, in its colour, or in the system's disabled-text style (raised
// highlight under shadow) while the element is disabled. Clipped to
// `element`.
void draw_caption(HDC dc, const CaptionElement& caption, HFONT font, const RECT& element) noexcept;

}  // namespace button
