#include "renderer/win32/gl/frame_dimmer.h"

namespace renderer {

void dim_view(const GlApi& gl, float level) {
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.gluOrtho2D(0.0, 1.0, 0.0, 1.0);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    // What is there times the rectangle's alpha; the rectangle adds nothing.
    gl.glBlendFunc(GL_ZERO, GL_SRC_ALPHA);
    gl.glColor4f(0.0f, 0.0f, 0.0f, level);
    gl.glBegin(GL_QUADS);
    gl.glVertex2i(0, 0);
    gl.glVertex2i(1, 0);
    gl.glVertex2i(1, 1);
    gl.glVertex2i(0, 1);
    gl.glEnd();
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

}  // namespace renderer
