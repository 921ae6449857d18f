#include "renderer/window_gl.h"

#include <cstring>

namespace renderer {

bool lists_extension(const char* extensions, const char* name) {
    const std::size_t length = name ? std::strlen(name) : 0;
    if (!extensions || length == 0)
        return false;
    for (const char* at = extensions; (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends = at[length] == '\0' || at[length] == ' ';
        if (starts && ends)
            return true;
    }
    return false;
}

}  // namespace renderer
