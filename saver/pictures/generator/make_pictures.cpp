// Writes the front end's stored pictures into FOLDER:
//   make_pictures FOLDER
// preview.ppm (152 x 112, as the display settings' preview box shows it; from
// the renderer's scene code; scripts/make-pictures encodes it as the baseline
// JPEG the program stores), preview_large.ppm (the same at twice the size,
// for scaled displays), ember_lantern.ico (32 x 32), and the push button's
// state pictures and the settings dialog's marks as 24-bit BMP files, and the
// installer's side picture (installer_side.bmp, 164 x 314, 24-bit BMP).
#include <cstdio>
#include <string>
#include <vector>

#include "renderer/scene/scene_view.h"
#include "saver/pictures/generator/button_pictures.h"
#include "saver/pictures/generator/installer_side_picture.h"
#include "saver/pictures/generator/picture_files.h"
#include "saver/pictures/generator/sphere_picture.h"
#include "saver/shared/preview_still.h"

namespace {

bool write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_pictures FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const auto scene = pictures::preview_scene();

    pictures::View preview;
    preview.width = shared::kPreviewStillWidth;
    preview.height = shared::kPreviewStillHeight;
    preview.fovy_deg = scene::kFieldOfView;  // the renderer's own projection
    preview.samples = 4;

    // The same view at twice the size, from which the front end reduces the
    // still on a scaled display.
    pictures::View large_preview = preview;
    large_preview.width *= shared::kLargeStillScale;
    large_preview.height *= shared::kLargeStillScale;

    // The icon zooms in (a narrower field of view) so the sphere fills it.
    pictures::View icon;
    icon.width = 32;
    icon.height = 32;
    icon.fovy_deg = 31.0;
    icon.samples = 8;

    bool ok = write_file(folder + "preview.ppm", pictures::encode_ppm(pictures::render_spheres(preview, scene))) &&
              write_file(folder + "ember_lantern.ico", pictures::encode_ico(pictures::render_spheres(icon, scene)));
    ok = ok &&
         write_file(folder + "preview_large.ppm", pictures::encode_ppm(pictures::render_spheres(large_preview, scene)));
    for (const auto& named : pictures::button_and_mark_pictures())
        ok = ok && write_file(folder + named.file_name, pictures::encode_bmp(named.picture));
    ok = ok && write_file(folder + "installer_side.bmp", pictures::encode_bmp(pictures::installer_side_picture(scene)));
    if (!ok) {
        std::perror("make_pictures");
        return 1;
    }
    return 0;
}
