// The scene's GL side, the entry points a window calls: gl_init when it is
// set up, gl_resize on every size change, gl_draw once per frame (gl_data,
// the start values, is portable logic in scene/scene_state.h). gl_init and
// gl_draw need the window's context current.
#pragma once

#include <vector>

#include "renderer/frame_timing.h"
#include "renderer/monitor_pictures.h"
#include "renderer/scene/scene_state.h"
#include "renderer/start_fade.h"
#include "renderer/win32/gl/capture_tiles.h"
#include "renderer/win32/gl/gl_api.h"

namespace renderer {

// What the scene draws with in one window's context. The texture and the
// glyph lists live in the context and go with it: deleted by name, they
// would be deleted in whichever context is current, and while a new window
// replaces an old one that is the new window's, whose names are the same.
constexpr GLsizei kFontLists = 255;  // glyph lists for the character codes 0..254

struct SceneGl {
    GLuint font_list_base = 0;  // first of the glyph lists (window_gl.h)
    GLuint sphere_texture = 0;
    UniqueQuadric quadric;
};

// Makes the scene's resources in the current context: the sphere quadric, the
// banded texture, additive blending; hides the cursor once more. 0 on
// success; 1 when the texture buffer cannot be allocated ("malloc" is then
// reported on the standard error stream).
int gl_init(const GlApi& gl, SceneGl& scene);

// Undoes gl_init: the quadric goes, and so do the texture and the glyph
// lists where the scene's context is current (`context_current`); otherwise
// they are left to go with their context, since deleted by name they would
// be deleted in the current one.
void gl_free(const GlApi& gl, SceneGl& scene, bool context_current);

// The client area is now width x height pixels: a window of one view shows it
// over the whole area (monitor_pictures.h), and the frame-rate measurement
// restarts: no motion and no text for the next 0.2 s.
void gl_resize(std::vector<View>& views, int width, int height, scene::FrameRate& rate, scene::TickCounter& counter);

// One frame: every view's picture moved on (advance_views), its spheres drawn
// in its part of the window with the projection a window of its size gets
// and dimmed to `levels.spheres`, the captured `desktop` (may be null) over
// the window at `levels.desktop`, and the frame-rate text in the primary's
// part, never dimmed, up to glFinish (the caller swaps);
// then the frame counted. No views: a black frame. `marks`, when given,
// takes the counter readings from start to counted.
void gl_draw(const GlApi& gl,
             const SceneGl& scene,
             std::vector<View>& views,
             const FadeLevels& levels,
             const CaptureTiles* desktop,
             scene::FrameRate& rate,
             scene::TickCounter& counter,
             FrameMarks* marks = nullptr);

// A printf-formatted text (at most 255 bytes) drawn with one display list per
// byte from `list_base` on, at raster position x, y in the pixels of the
// current viewport of width x height (origin bottom-left), in the given
// colour (0..1). Blending stays on, so the text adds to the picture.
void gl_printf(const GlApi& gl,
               int width,
               int height,
               GLfloat red,
               GLfloat green,
               GLfloat blue,
               GLfloat alpha,
               GLint x,
               GLint y,
               GLuint list_base,
               const char* format,
               ...)
#if defined(__MINGW32__)
    __attribute__((format(gnu_printf, 11, 12)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 11, 12)))
#endif
    ;

}  // namespace renderer
