#include "renderer/gl_scene.h"

#include <cerrno>
#include <cstdio>
#include <new>

#include "renderer/scene/sphere_texture.h"

namespace renderer {
namespace {

constexpr GLdouble kSphereRadius = 4.0;
constexpr GLint kSphereFacets = 32;  // slices and stacks
constexpr GLfloat kSphereDistance = 16.0f;
constexpr GLdouble kFieldOfView = 50.0;  // vertical, degrees
constexpr GLdouble kNearPlane = 1.0, kFarPlane = 100.0;
constexpr GLfloat kTextGrey = 0.7f;

}  // namespace

std::unique_ptr<GlScene> GlScene::create(const GlApi& gl) {
    UniqueQuadric quadric(gl.gluNewQuadric(), QuadricDeleter{gl.gluDeleteQuadric});
    if (quadric)
        gl.gluQuadricTexture(quadric.get(), GL_TRUE);

    std::unique_ptr<std::uint8_t[]> texels(new (std::nothrow) std::uint8_t[scene::kTextureBytes]);
    if (!texels) {
        errno = ENOMEM;
        std::perror("malloc");
        return nullptr;
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
    // No exception may leave the window procedure this runs in.
    return std::unique_ptr<GlScene>(new (std::nothrow) GlScene(gl, std::move(quadric)));
}

void GlScene::resize(int width, int height) {
    gl_.glViewport(0, 0, width, height);
    if (height == 0)
        return;
    gl_.glMatrixMode(GL_PROJECTION);
    gl_.glLoadIdentity();
    gl_.gluPerspective(kFieldOfView, static_cast<GLdouble>(width) / height, kNearPlane, kFarPlane);
}

void GlScene::draw(const scene::FramePlan& plan, GLuint font_list_base, int width, int height) {
    gl_.glClear(GL_COLOR_BUFFER_BIT);
    gl_.glMatrixMode(GL_MODELVIEW);
    gl_.glLoadIdentity();
    gl_.glTranslatef(0.0f, 0.0f, -kSphereDistance);
    gl_.glEnable(GL_TEXTURE_2D);
    for (const scene::SphereDraw& sphere : plan.spheres) {
        gl_.glColor3f(sphere.red, sphere.green, sphere.blue);
        gl_.glPushMatrix();
        gl_.glRotatef(sphere.angle_x, 1.0f, 0.0f, 0.0f);
        gl_.glRotatef(sphere.angle_y, 0.0f, 1.0f, 0.0f);
        if (quadric_)
            gl_.gluSphere(quadric_.get(), kSphereRadius, kSphereFacets, kSphereFacets);
        gl_.glPopMatrix();
    }
    gl_.glDisable(GL_TEXTURE_2D);
    if (plan.show_text)
        draw_text(plan, font_list_base, width, height);
    gl_.glFinish();
}

// gl_printf: one display list per byte of the text, at a raster position in
// window pixels; blending stays on, so the text adds to the picture.
void GlScene::draw_text(const scene::FramePlan& plan, GLuint list_base, int width, int height) {
    gl_.glMatrixMode(GL_PROJECTION);
    gl_.glPushMatrix();
    gl_.glLoadIdentity();
    gl_.gluOrtho2D(0.0, width, 0.0, height);
    gl_.glMatrixMode(GL_MODELVIEW);
    gl_.glLoadIdentity();
    gl_.glColor4f(kTextGrey, kTextGrey, kTextGrey, 1.0f);
    gl_.glRasterPos2i(plan.text_x, plan.text_y);
    gl_.glListBase(list_base);
    gl_.glCallLists(plan.text.length, GL_UNSIGNED_BYTE, plan.text.chars);
    gl_.glMatrixMode(GL_PROJECTION);
    gl_.glPopMatrix();
}

}  // namespace renderer
