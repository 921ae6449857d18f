// The scene's GL side for one window and context: the sphere quadric, the
// banded texture, blending, the projection and the drawing of a planned frame.
// Everything here needs the window's context current.
#pragma once

#include <memory>

#include "renderer/gl_api.h"
#include "renderer/scene/scene_state.h"

namespace renderer {

class GlScene {
public:
    // gl_init: creates the per-window resources in the current context.
    // Null when memory runs out (for the texture buffer, "malloc" is then
    // reported on the standard error stream).
    static std::unique_ptr<GlScene> create(const GlApi& gl);

    // gl_resize's GL part for a client area of width x height pixels; the
    // projection is left alone for a zero height (a minimised window), which
    // would give it no aspect ratio.
    void resize(int width, int height);

    // gl_draw's GL part, up to and including glFinish (the caller swaps).
    void draw(const scene::FramePlan& plan, GLuint font_list_base, int width, int height);

private:
    GlScene(const GlApi& gl, UniqueQuadric quadric) : gl_(gl), quadric_(std::move(quadric)) {}
    void draw_text(const scene::FramePlan& plan, GLuint list_base, int width, int height);

    const GlApi& gl_;
    UniqueQuadric quadric_;
};

}  // namespace renderer
