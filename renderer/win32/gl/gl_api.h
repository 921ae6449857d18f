// OpenGL, GLU and WGL reached through a table filled at run time from the
// system folder's opengl32.dll and glu32.dll. The program imports neither:
// an import (or a plain LoadLibrary) would also find a DLL of that name
// planted beside the program, and neither is one of the DLLs Windows protects.
#pragma once

#include <windows.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <memory>
#include <type_traits>

namespace renderer {

#define EL_OPENGL32_FUNCTIONS(X) \
    X(glBegin)                   \
    X(glBindTexture)             \
    X(glBitmap)                  \
    X(glBlendFunc)               \
    X(glCallLists)               \
    X(glClear)                   \
    X(glColor3f)                 \
    X(glColor4f)                 \
    X(glDeleteLists)             \
    X(glDeleteTextures)          \
    X(glDisable)                 \
    X(glEnable)                  \
    X(glEnd)                     \
    X(glEndList)                 \
    X(glFinish)                  \
    X(glGenLists)                \
    X(glGenTextures)             \
    X(glGetError)                \
    X(glGetIntegerv)             \
    X(glGetString)               \
    X(glListBase)                \
    X(glLoadIdentity)            \
    X(glMatrixMode)              \
    X(glNewList)                 \
    X(glPopMatrix)               \
    X(glPushMatrix)              \
    X(glRasterPos2i)             \
    X(glRotatef)                 \
    X(glTexCoord2f)              \
    X(glTexImage2D)              \
    X(glTexParameteri)           \
    X(glTranslatef)              \
    X(glVertex2i)                \
    X(glViewport)                \
    X(wglCreateContext)          \
    X(wglDeleteContext)          \
    X(wglGetCurrentContext)      \
    X(wglGetProcAddress)         \
    X(wglMakeCurrent)            \
    X(wglUseFontBitmapsA)

#define EL_GLU32_FUNCTIONS(X) \
    X(gluDeleteQuadric)       \
    X(gluNewQuadric)          \
    X(gluOrtho2D)             \
    X(gluPerspective)         \
    X(gluQuadricTexture)      \
    X(gluSphere)

// Each member has the name and exact type (calling convention included) of
// the library function it stands for: gl.glClear(GL_COLOR_BUFFER_BIT).
struct GlApi {
#define EL_GL_MEMBER(name) decltype(&::name) name = nullptr;
    EL_OPENGL32_FUNCTIONS(EL_GL_MEMBER)
    EL_GLU32_FUNCTIONS(EL_GL_MEMBER)
#undef EL_GL_MEMBER

    // Loads both libraries from the system folder and fills every member; on
    // false some members may be null and none may be called. The libraries
    // stay loaded for the life of the process.
    bool load() noexcept;
};

// Owners of what the loaded libraries create; the deleter is the loaded call.
struct GlContextDeleter {
    decltype(&::wglDeleteContext) delete_context = nullptr;
    void operator()(HGLRC context) const noexcept { delete_context(context); }
};
using UniqueGlContext = std::unique_ptr<std::remove_pointer_t<HGLRC>, GlContextDeleter>;

// Deleting a quadric needs no current context, but it is freed with the
// window it was made for.
struct QuadricDeleter {
    decltype(&::gluDeleteQuadric) delete_quadric = nullptr;
    void operator()(GLUquadric* quadric) const noexcept { delete_quadric(quadric); }
};
using UniqueQuadric = std::unique_ptr<GLUquadric, QuadricDeleter>;

}  // namespace renderer
