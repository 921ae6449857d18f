// The push button's six state pictures and the settings dialog's two mark
// pictures, drawn from their ring colours. The button's state list, picture
// size and body gradient come from saver/button.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "saver/button/command.h"
#include "saver/pictures/generator/sphere_picture.h"

namespace pictures {

// A state picture (64 x 25 pixels, button::kPicturePixelWidth and
// kPicturePixelHeight), of which the button draws only the outer four-pixel
// frame: ring 0 (the outermost pixel ring), the dark outline, and the lit
// rings inside it, with rounded, blended corners.

struct NamedPicture {
    std::string file_name;  // beside the other stored pictures
    Picture picture;
};

// The six state pictures in the order of button::StatePicture
// (HighLightSelect holds the same pixels as HighLight), then the two 12 x 12 marks of the settings
// dialog: the clear mark (a light square in a grey frame) and the chosen
// mark (the same frame filled with blue).
std::vector<NamedPicture> button_and_mark_pictures();

Picture button_picture(button::StatePicture look);
Picture mark_picture(bool chosen);

}  // namespace pictures
