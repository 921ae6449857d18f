#include "renderer/win32/gl/gl_api.h"

#include "common/win32/system_library.h"

namespace renderer {

bool GlApi::load() noexcept {
    const HMODULE opengl32 = win32::load_system_library("opengl32.dll");
    const HMODULE glu32 = win32::load_system_library("glu32.dll");
    if (!opengl32 || !glu32)
        return false;
    bool complete = true;
#define EL_RESOLVE_OPENGL32(name) complete = win32::resolve(opengl32, #name, name) && complete;
#define EL_RESOLVE_GLU32(name) complete = win32::resolve(glu32, #name, name) && complete;
    EL_OPENGL32_FUNCTIONS(EL_RESOLVE_OPENGL32)
    EL_GLU32_FUNCTIONS(EL_RESOLVE_GLU32)
#undef EL_RESOLVE_OPENGL32
#undef EL_RESOLVE_GLU32
    return complete;
}

}  // namespace renderer
