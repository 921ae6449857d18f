#include "renderer/win32/gl_scene.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>

#include "renderer/scene/overlay_text.h"
#include "renderer/scene/scene_view.h"
#include "renderer/scene/sphere_texture.h"

namespace renderer {
namespace {

constexpr GLfloat kTextGrey = 0.7f;

// A monitor's part of the window, with the projection a window of its size gets.
void set_view(const GlApi& gl, const MonitorView& view) {
    gl.glViewport(view.x, view.y, view.width, view.height);
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadIdentity();
    gl.gluPerspective(scene::kFieldOfView, static_cast<GLdouble>(view.width) / view.height, scene::kNearPlane,
                      scene::kFarPlane);
}

void draw_spheres(const GlApi& gl, const GlScene& scene, const scene::SphereDraw (&spheres)[scene::kSphereCount]) {
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glTranslatef(0.0f, 0.0f, -static_cast<GLfloat>(scene::kSphereDistance));
    gl.glEnable(GL_TEXTURE_2D);
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

void set_monitor_views(GlScene& scene, std::vector<MonitorView> views) {
    scene.monitor_views = std::move(views);
    scene.view_spheres.assign(scene.monitor_views.size(), nullptr);
    scene.view_plans.assign(scene.monitor_views.size(), scene::FramePlan{});
    for (std::size_t v = 0; v < scene.monitor_views.size(); ++v) {
        if (!scene.monitor_views[v].primary)
            scene.view_spheres[v] = &scene.other_monitors.of(scene.monitor_views[v].device, scene.random);
    }
}

void gl_draw(const GlApi& gl, GlScene& scene, scene::TickCounter& counter, FrameMarks* marks) {
    if (marks)
        marks->start = counter.ticks();
    // One monitor, or the framed window: the window is the one view, whose
    // viewport and projection gl_resize set.
    const bool several = scene.monitor_views.size() > 1;
    const int width = several ? scene.monitor_views[0].width : scene.window_width;
    const int height = several ? scene.monitor_views[0].height : scene.window_height;
    const scene::FramePlan plan = scene::plan_frame(scene.animation, scene.random, width, height);
    if (several) {
        for (std::size_t v = 1; v < scene.monitor_views.size(); ++v) {
            scene::SpherePair& spheres = *scene.view_spheres[v];
            scene::advance_spheres(spheres.spheres, scene.animation.fps, scene.random);
            scene::plan_spheres(spheres.spheres, scene.view_plans[v].spheres);
        }
    }
    if (marks)
        marks->planned = counter.ticks();

    gl.glClear(GL_COLOR_BUFFER_BIT);
    if (several) {
        for (std::size_t v = scene.monitor_views.size(); v-- > 0;) {  // the primary's last: the text goes there
            set_view(gl, scene.monitor_views[v]);
            draw_spheres(gl, scene, v == 0 ? plan.spheres : scene.view_plans[v].spheres);
        }
    } else {
        draw_spheres(gl, scene, plan.spheres);
    }
    if (plan.show_text) {
        gl_printf(gl, width, height, kTextGrey, kTextGrey, kTextGrey, 1.0f, plan.text_x, plan.text_y,
                  scene.font_list_base, "%s", plan.text.chars);
    }
    gl.glFinish();
    if (marks)
        marks->drawn = counter.ticks();

    scene::count_frame(scene.animation, counter);
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
