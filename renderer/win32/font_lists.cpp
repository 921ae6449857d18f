#include "renderer/win32/font_lists.h"

#include "common/win32/handles.h"

namespace renderer {

void make_font_lists(const GlApi& gl, HDC dc, GLuint base) noexcept {
    const win32::ScopedSelectObject font(dc, GetStockObject(SYSTEM_FONT));
    gl.wglUseFontBitmapsA(dc, 0, kFontLists, base);
    // The space comes as an empty bitmap, whose advance Mesa (as Wine uses it)
    // drops when it draws the lists in a batch ("60.0fps"); one blank pixel
    // gives it a body. Elsewhere this makes the same list as before.
    INT space_width = 0;
    if (GetCharWidth32A(dc, ' ', ' ', &space_width) && space_width > 0) {
        static const GLubyte blank[4] = {};
        gl.glNewList(base + ' ', GL_COMPILE);
        gl.glBitmap(1, 1, 0.0f, 0.0f, static_cast<GLfloat>(space_width), 0.0f, blank);
        gl.glEndList();
    }
}

}  // namespace renderer
