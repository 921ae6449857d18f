#include "renderer/win32/gl/capture_tiles.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace renderer {
namespace {

// Small enough for any driver (OpenGL 1.1 promises 64, Windows' own
// software renderer takes 1024) and for little padding at the screen's edges.
constexpr GLint kLargestTileSide = 256;

// One tile's pixels from the capture's 0x00RRGGBB into the RGBA bytes OpenGL
// 1.1 reads without the BGRA extension; rows stay top first.
void convert_tile(const std::uint32_t* pixels,
                  int stride,
                  int x,
                  int y,
                  int width,
                  int height,
                  int side,
                  std::uint8_t* out) {
    for (int row = 0; row < height; ++row) {
        const std::uint32_t* from = pixels + static_cast<std::size_t>(y + row) * stride + x;
        std::uint8_t* to = out + static_cast<std::size_t>(row) * side * 4;
        for (int column = 0; column < width; ++column, to += 4) {
            to[0] = static_cast<std::uint8_t>(from[column] >> 16);
            to[1] = static_cast<std::uint8_t>(from[column] >> 8);
            to[2] = static_cast<std::uint8_t>(from[column]);
            to[3] = 0xFF;
        }
    }
}

}  // namespace

CaptureTiles::CaptureTiles(const GlApi& gl, const std::uint32_t* pixels, int width, int height) noexcept
    : gl_(gl), context_(gl.wglGetCurrentContext()) {
    if (!pixels || width <= 0 || height <= 0)
        return;
    width_ = width;
    height_ = height;
    GLint largest = 0;
    gl_.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    side_ = kLargestTileSide;
    while (side_ > 64 && side_ > largest)
        side_ /= 2;
    const int columns = (width_ + side_ - 1) / side_, rows = (height_ + side_ - 1) / side_;
    tiles_.reset(new (std::nothrow) Tile[static_cast<std::size_t>(columns) * rows]);
    const std::unique_ptr<std::uint8_t[]> texels(new (std::nothrow) std::uint8_t[side_ * side_ * 4]());
    if (!tiles_ || !texels)
        return;
    for (int i = 0; i < 8 && gl_.glGetError() != GL_NO_ERROR; ++i) {
    }
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            Tile& tile = tiles_[count_++];
            tile.x = column * side_;
            tile.y = row * side_;
            tile.width = std::min(side_, width_ - tile.x);
            tile.height = std::min(side_, height_ - tile.y);
            convert_tile(pixels, width_, tile.x, tile.y, tile.width, tile.height, side_, texels.get());
            gl_.glGenTextures(1, &tile.texture);
            gl_.glBindTexture(GL_TEXTURE_2D, tile.texture);
            // Drawn pixel for pixel: nearest texels, no mipmaps, and no seams
            // where tiles meet.
            gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
            gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
            gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, side_, side_, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.get());
        }
    }
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    // A tile the driver had no memory for would draw as a grey square:
    // rather none, and the run starts from black.
    if (gl_.glGetError() != GL_NO_ERROR) {
        for (int i = 0; i < count_; ++i)
            gl_.glDeleteTextures(1, &tiles_[i].texture);
        count_ = 0;
    }
}

CaptureTiles::~CaptureTiles() {
    if (gl_.wglGetCurrentContext() != context_)
        return;
    for (int i = 0; i < count_; ++i)
        gl_.glDeleteTextures(1, &tiles_[i].texture);
}

void CaptureTiles::draw(float level) const noexcept {
    const int width = width_, height = height_;
    gl_.glViewport(0, 0, width, height);
    gl_.glMatrixMode(GL_PROJECTION);
    gl_.glLoadIdentity();
    gl_.gluOrtho2D(0.0, width, 0.0, height);
    gl_.glMatrixMode(GL_MODELVIEW);
    gl_.glLoadIdentity();
    gl_.glEnable(GL_TEXTURE_2D);
    gl_.glColor3f(level, level, level);  // the texture is modulated by it
    const GLfloat texel = 1.0f / static_cast<GLfloat>(side_);
    for (int i = 0; i < count_; ++i) {
        const Tile& tile = tiles_[i];
        // The capture's rows run from the top, the window's from the bottom;
        // a texture's first row is the tile's top.
        const int left = tile.x, right = tile.x + tile.width;
        const int top = height - tile.y, bottom = height - tile.y - tile.height;
        const GLfloat s = static_cast<GLfloat>(tile.width) * texel, t = static_cast<GLfloat>(tile.height) * texel;
        gl_.glBindTexture(GL_TEXTURE_2D, tile.texture);
        gl_.glBegin(GL_QUADS);
        gl_.glTexCoord2f(0.0f, t);
        gl_.glVertex2i(left, bottom);
        gl_.glTexCoord2f(s, t);
        gl_.glVertex2i(right, bottom);
        gl_.glTexCoord2f(s, 0.0f);
        gl_.glVertex2i(right, top);
        gl_.glTexCoord2f(0.0f, 0.0f);
        gl_.glVertex2i(left, top);
        gl_.glEnd();
    }
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    gl_.glDisable(GL_TEXTURE_2D);
}

}  // namespace renderer
