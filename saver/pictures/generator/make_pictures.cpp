// Writes the front end's stored pictures from the renderer's scene code:
//   make_pictures PREVIEW_PPM ICON_ICO
// The preview is 152 x 112 pixels as the display settings' preview box shows
// it; scripts/make-pictures encodes it as the baseline JPEG the program stores.
#include <cstdio>
#include <vector>

#include "saver/pictures/generator/sphere_picture.h"

namespace {

bool write_file(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make_pictures PREVIEW_PPM ICON_ICO\n", stderr);
        return 2;
    }
    const auto scene = pictures::preview_scene();

    pictures::View preview;
    preview.width = 152;
    preview.height = 112;
    preview.fovy_deg = 50.0;  // the renderer's own projection
    preview.samples = 4;

    // The icon zooms in (a narrower field of view) so the sphere fills it.
    pictures::View icon;
    icon.width = 32;
    icon.height = 32;
    icon.fovy_deg = 31.0;
    icon.samples = 8;

    if (!write_file(argv[1], pictures::encode_ppm(pictures::render_spheres(preview, scene))) ||
        !write_file(argv[2], pictures::encode_ico(pictures::render_spheres(icon, scene)))) {
        std::perror("make_pictures");
        return 1;
    }
    return 0;
}
