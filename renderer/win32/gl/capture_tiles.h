// The captured desktop in one window's OpenGL context, drawn at a level over
// the whole window, pixel for pixel: the window lies over the captured area,
// so each monitor's part of the capture shows on that monitor.
//
// OpenGL 1.1 as Windows' opengl32 offers it (no extensions) may refuse a
// texture whose sides are not powers of two, and a screen can be wider than
// the largest texture a driver takes. So the capture is cut into square
// power-of-two tiles, each uploaded once: drawing them each frame moves
// nothing over the bus, where glDrawPixels would send the whole screen every
// frame and is slow on many drivers once a colour scale applies.
#pragma once

#include <cstdint>
#include <memory>

#include "renderer/win32/gl/gl_api.h"

namespace renderer {

class CaptureTiles {
public:
    // Uploads a capture of width x height pixels (rows from the top, each
    // pixel 0x00RRGGBB) into the current context; empty when there are no
    // pixels or memory for a tile's conversion runs out.
    CaptureTiles(const GlApi& gl, const std::uint32_t* pixels, int width, int height) noexcept;
    CaptureTiles(const CaptureTiles&) = delete;
    CaptureTiles& operator=(const CaptureTiles&) = delete;
    // Frees the textures where the context they were made in is current.
    // Otherwise they are left to go with that context: deleted by name they
    // would be deleted in the current one, whose names are the same.
    ~CaptureTiles();

    bool empty() const noexcept { return count_ == 0; }

    // Draws the capture at `level` (0..1) pixel for pixel over the window it
    // was taken for (its size is the window's client area), its top-left
    // corner at the window's; sets the viewport and both matrices, unbinds
    // the texture and leaves texturing off.
    void draw(float level) const noexcept;

private:
    struct Tile {
        GLuint texture = 0;
        int x = 0, y = 0, width = 0, height = 0;  // in the capture, from its top-left
    };

    const GlApi& gl_;
    HGLRC context_ = nullptr;     // the textures' own
    int width_ = 0, height_ = 0;  // the capture's
    int side_ = 0;                // of every tile's texture, a power of two
    std::unique_ptr<Tile[]> tiles_;
    int count_ = 0;
};

}  // namespace renderer
