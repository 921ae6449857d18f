// The folder the running program was started from: where the renderer and
// the settings file lie beside it.
#pragma once

#include <string>

namespace shared {

// The folder of the running program as the system reports it, without a
// trailing backslash; "" when it cannot be read whole.
std::string program_folder();

}  // namespace shared
