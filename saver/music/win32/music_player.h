// The real multimedia calls for the music player (Windows only). winmm.dll is
// not imported: it is loaded from the system folder on first use, and when it
// cannot be loaded every call behaves as on a machine without sound devices
// (MCI calls fail, no wave device, PlaySoundA returns false).
#pragma once

#include <memory>

#include "saver/music/multimedia_seam.h"

namespace music {

std::unique_ptr<MultimediaSeam> create_win32_multimedia_seam();

}  // namespace music
