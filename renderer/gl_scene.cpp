#include "renderer/gl_scene.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>

#include "renderer/scene/overlay_text.h"
#include "renderer/scene/scene_view.h"
#include "renderer/scene/sphere_texture.h"

namespace renderer {
namespace {

constexpr GLfloat kTextGrey = 0.7f;

}  // namespace

int gl_init(const GlApi& gl, GlScene& scene) {
    scene.ready = false;
    scene.quadric = UniqueQuadric(gl.gluNewQuadric(), QuadricDeleter{gl.gluDeleteQuadric});
    if (scene.quadric)
        gl.gluQuadricTexture(scene.quadric.get(), GL_TRUE);

    // No exception may leave the window procedure this runs in.
    std::unique_ptr<std::uint8_t[]> texels(new (std::nothrow) std::uint8_t[scene::kTextureBytes]);
    if (!texels) {
        errno = ENOMEM;
        std::perror("malloc");
        return 1;
    }
    GLuint texture = 0;
    gl.glGenTextures(1, &texture);
    gl.glBindTexture(GL_TEXTURE_2D, texture);  // stays bound for the life of the context
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    scene::fill_sphere_texture(texels.get());
    gl.glTexImage2D(GL_TEXTURE_2D, 0, 3, scene::kTextureSize, scene::kTextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                    texels.get());

    // Additive, so the spheres glow through each other.
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    ShowCursor(FALSE);  // every new window hides it once more
    scene.ready = true;
    return 0;
}

void gl_resize(const GlApi& gl, GlScene& scene, scene::TickCounter& counter) {
    if (scene.ready) {
        gl.glViewport(0, 0, scene.window_width, scene.window_height);
        if (scene.window_height != 0) {
            gl.glMatrixMode(GL_PROJECTION);
            gl.glLoadIdentity();
            gl.gluPerspective(scene::kFieldOfView, static_cast<GLdouble>(scene.window_width) / scene.window_height,
                              scene::kNearPlane, scene::kFarPlane);
        }
    }
    scene::restart_frame_rate(scene.animation, counter);
}

void gl_draw(const GlApi& gl, GlScene& scene, scene::TickCounter& counter, FrameMarks* marks) {
    if (marks)
        marks->start = counter.ticks();
    const scene::FramePlan plan =
        scene::plan_frame(scene.animation, scene.random, scene.window_width, scene.window_height);
    if (marks)
        marks->planned = counter.ticks();

    gl.glClear(GL_COLOR_BUFFER_BIT);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glTranslatef(0.0f, 0.0f, -static_cast<GLfloat>(scene::kSphereDistance));
    gl.glEnable(GL_TEXTURE_2D);
    for (const scene::SphereDraw& sphere : plan.spheres) {
        gl.glColor3f(sphere.red, sphere.green, sphere.blue);
        gl.glPushMatrix();
        gl.glRotatef(sphere.angle_x, 1.0f, 0.0f, 0.0f);
        gl.glRotatef(sphere.angle_y, 0.0f, 1.0f, 0.0f);
        if (scene.quadric)
            gl.gluSphere(scene.quadric.get(), scene::kSphereRadius, scene::kSphereFacets, scene::kSphereFacets);
        gl.glPopMatrix();
    }
    gl.glDisable(GL_TEXTURE_2D);
    if (plan.show_text) {
        gl_printf(gl, scene, kTextGrey, kTextGrey, kTextGrey, 1.0f, plan.text_x, plan.text_y, scene.font_list_base,
                  "%s", plan.text.chars);
    }
    gl.glFinish();
    if (marks)
        marks->drawn = counter.ticks();

    scene::count_frame(scene.animation, counter);
    if (marks)
        marks->counted = counter.ticks();
}

void gl_printf(const GlApi& gl,
               const GlScene& scene,
               GLfloat red,
               GLfloat green,
               GLfloat blue,
               GLfloat alpha,
               GLint x,
               GLint y,
               GLuint list_base,
               const char* format,
               ...) {
    std::va_list args;
    va_start(args, format);
    const scene::OverlayText text = scene::vformat_overlay(format, args);
    va_end(args);

    gl.glMatrixMode(GL_PROJECTION);
    gl.glPushMatrix();
    gl.glLoadIdentity();
    gl.gluOrtho2D(0.0, scene.window_width, 0.0, scene.window_height);
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glColor4f(red, green, blue, alpha);
    gl.glRasterPos2i(x, y);
    gl.glListBase(list_base);
    gl.glCallLists(text.length, GL_UNSIGNED_BYTE, text.chars);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glPopMatrix();
}

}  // namespace renderer
