// The result of the last Windows call made by the start-up module, the
// preview window, the settings dialog and the music player. Each writer reads
// it, if at all, right after its own call; nobody relies on a value that
// another module left.
#pragma once

#include <cstdint>

namespace shared {

extern std::int32_t LastApiResult;

}  // namespace shared
