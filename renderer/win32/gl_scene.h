// The scene's GL side: its state in one struct, and the entry points the
// window calls, gl_init and gl_resize when a window is made, gl_resize on
// every size change, gl_draw once per frame (gl_data, the start values, is
// portable logic in scene/scene_state.h). Everything but gl_data needs the
// window's context current.
#pragma once

#include <cstdint>
#include <vector>

#include "renderer/monitor_layout.h"
#include "renderer/monitor_scenes.h"
#include "renderer/scene/scene_state.h"
#include "renderer/win32/gl_api.h"

namespace renderer {

struct GlScene {
    scene::SceneState animation;  // from gl_data; lives for the whole run, across every new window
    scene::CrtRandom random;      // seeded once with the time, before gl_data
    // The current window's client area in pixels: the size chosen for a new
    // window, then what every WM_SIZE reports.
    int window_width = 0, window_height = 0;
    // Full screen on several monitors: a view per monitor, the primary's
    // first, and the spheres each other view shows (the primary's are the
    // animation's). Empty, or a single view: the window is the primary's one
    // view (set_monitor_views).
    std::vector<MonitorView> monitor_views;
    std::vector<scene::SpherePair*> view_spheres;
    std::vector<scene::FramePlan> view_plans;  // what each view draws this frame
    MonitorScenes other_monitors;              // for the whole run, as the animation
    GLuint font_list_base = 0;                 // first of the glyph lists of the current context
    UniqueQuadric quadric;                     // made by gl_init for each window
    bool ready = false;                        // gl_init completed in the current window's context
};

// Performance-counter readings within one frame, taken only for the
// benchmark build's timing: at its start, after the animation step, after the
// GL calls up to glFinish, after the frame-rate count, and after the swap.
struct FrameMarks {
    std::int64_t start = 0, planned = 0, drawn = 0, counted = 0, shown = 0;
};

// The views of a new window (none for the framed window): each monitor
// beside the primary gets its spheres, made now if its monitor is new.
void set_monitor_views(GlScene& scene, std::vector<MonitorView> views);

// Creates the current window's resources: the sphere quadric, the banded
// texture (bound for the life of the context), additive blending; hides the
// cursor once more. 0 on success; 1 when the texture buffer cannot be
// allocated ("malloc" is then reported on the standard error stream).
int gl_init(const GlApi& gl, GlScene& scene);

// The viewport and projection for the current client area (the projection is
// left alone for a zero height, a minimised window, which would give it no
// aspect ratio; nothing GL before gl_init), and the frame-rate measurement
// restarted: no motion and no text for the next 0.2 s.
void gl_resize(const GlApi& gl, GlScene& scene, scene::TickCounter& counter);

// One frame: the animation step, the spheres (in each monitor's view, each
// with its own projection) and the frame-rate text (the primary's only) up
// to glFinish (the caller swaps), then the frame counted. `marks`, when
// given, takes the counter readings from start to counted.
void gl_draw(const GlApi& gl, GlScene& scene, scene::TickCounter& counter, FrameMarks* marks = nullptr);

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
