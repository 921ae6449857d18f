#include "renderer/win32/gl/scene_state.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>

#include "renderer/scene/overlay_text.h"
#include "renderer/scene/scene_view.h"
#include "renderer/scene/sphere_texture.h"
#include "renderer/win32/gl/frame_dimmer.h"

namespace renderer {
namespace {

constexpr GLfloat kTextGrey = 0.7f;

// A monitor's part of the window, with the projection a window of its size
// gets; none for a zero height (a minimised window), which has no aspect ratio.
void set_view(const GlApi& gl, const MonitorView& place) {
    gl.glViewport(place.x, place.y, place.width, place.height);
    if (place.height == 0)
        return;
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.gluPerspective(scene::kFieldOfView, static_cast<GLdouble>(place.width) / place.height, scene::kNearPlane,
                      scene::kFarPlane);
}

void draw_spheres(const GlApi& gl, const SceneGl& scene, const scene::SphereDraw (&spheres)[scene::kSphereCount]) {
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glTranslatef(0.0f, 0.0f, -static_cast<GLfloat>(scene::kSphereDistance));
    gl.glEnable(GL_TEXTURE_2D);
    gl.glBindTexture(GL_TEXTURE_2D, scene.sphere_texture);  // the desktop's tiles bind theirs
    for (const scene::SphereDraw& sphere : spheres) {
        gl.glColor3f(sphere.red, sphere.green, sphere.blue);
        gl.glPushMatrix();
        gl.glRotatef(sphere.angle_x, 1.0f, 0.0f, 0.0f);
        gl.glRotatef(sphere.angle_y, 0.0f, 1.0f, 0.0f);
        if (scene.quadric)
            gl.gluSphere(scene.quadric.get(), scene::kSphereRadius, scene::kSphereFacets, scene::kSphereFacets);
        gl.glPopMatrix();
    }
    gl.glDisable(GL_TEXTURE_2D);
}

}  // namespace

int gl_init(const GlApi& gl, SceneGl& scene) {
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
    gl.glGenTextures(1, &scene.sphere_texture);
    gl.glBindTexture(GL_TEXTURE_2D, scene.sphere_texture);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    scene::fill_sphere_texture(texels.get());
    gl.glTexImage2D(GL_TEXTURE_2D, 0, 3, scene::kTextureSize, scene::kTextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                    texels.get());

    // Additive, so the spheres glow through each other.
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    ShowCursor(FALSE);  // every new window hides it once more
    return 0;
}

void gl_free(const GlApi& gl, SceneGl& scene, bool context_current) {
    scene.quadric.reset();
    if (!context_current)
        return;
    if (scene.sphere_texture != 0)
        gl.glDeleteTextures(1, &scene.sphere_texture);
    if (scene.font_list_base != 0)
        gl.glDeleteLists(scene.font_list_base, kFontLists);
    scene.sphere_texture = 0;
    scene.font_list_base = 0;
}

void gl_resize(std::vector<View>& views, int width, int height, scene::FrameRate& rate, scene::TickCounter& counter) {
    fit_views(views, width, height);
    scene::restart_frame_rate(rate, counter);
}

void gl_draw(const GlApi& gl,
             const SceneGl& scene,
             std::vector<View>& views,
             const FadeLevels& levels,
             const CaptureTiles* desktop,
             scene::FrameRate& rate,
             scene::TickCounter& counter,
             FrameMarks* marks) {
    if (marks)
        marks->start = counter.ticks();
    advance_views(views, rate.fps);
    // The primary's view comes first (views_of) and is drawn last, so that its
    // viewport is the text's.
    scene::FrameRateText text;
    if (!views.empty())
        text = scene::plan_fps_text(rate, views.front().place.width, views.front().place.height);
    if (marks)
        marks->planned = counter.ticks();

    gl.glClear(GL_COLOR_BUFFER_BIT);
    for (auto view = views.rbegin(); view != views.rend(); ++view) {
        set_view(gl, view->place);
        if (levels.spheres > 0.0f)
            draw_spheres(gl, scene, view->spheres);
        if (levels.spheres > 0.0f && levels.spheres < 1.0f)
            dim_view(gl, levels.spheres);
    }
    if (desktop && levels.desktop > 0.0f) {
        desktop->draw(levels.desktop);
        if (!views.empty())
            set_view(gl, views.front().place);
    }
    if (text.show) {
        gl_printf(gl, views.front().place.width, views.front().place.height, kTextGrey, kTextGrey, kTextGrey, 1.0f,
                  text.x, text.y, scene.font_list_base, "%s", text.text.chars);
    }
    gl.glFinish();
    if (marks)
        marks->drawn = counter.ticks();

    scene::count_frame(rate, counter);
    if (marks)
        marks->counted = counter.ticks();
}

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
               ...) {
    std::va_list args;
    va_start(args, format);
    const scene::OverlayText text = scene::vformat_overlay(format, args);
    va_end(args);

    gl.glMatrixMode(GL_PROJECTION);
    gl.glPushMatrix();
    gl.glLoadIdentity();
    gl.gluOrtho2D(0.0, width, 0.0, height);
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
