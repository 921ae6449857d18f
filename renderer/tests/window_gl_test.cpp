#include <gtest/gtest.h>

#include "renderer/window_gl.h"

namespace {

TEST(WindowGl, ExtensionListsOnlyWholeNames) {
    struct Case {
        const char* list;
        bool listed;
    } const cases[] = {
        {"WGL_EXT_swap_control", true},
        {"WGL_ARB_extensions_string WGL_EXT_swap_control WGL_ARB_pixel_format", true},
        {"WGL_ARB_pixel_format WGL_EXT_swap_control ", true},
        {"WGL_EXT_swap_control_tear", false},  // another extension, not this one
        {"WGL_EXT_swap_control_tear WGL_EXT_swap_control", true},
        {"XWGL_EXT_swap_control", false},
        {"", false},
        {nullptr, false},  // no extension string at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer::lists_extension(c.list, "WGL_EXT_swap_control"), c.listed) << (c.list ? c.list : "null");
}

}  // namespace
