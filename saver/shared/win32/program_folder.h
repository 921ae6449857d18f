// The folder the running program was started from: where the renderer and
// the settings file lie beside it.
#pragma once

#include <optional>
#include <string>

namespace shared {

struct ProgramFolder {
    // As the system names it, for a message.
    std::wstring name;
    // Without a trailing backslash, in a form the ANSI calls open (its short
    // form where the code page cannot hold the name); "" when the program's
    // path cannot be read whole; nullopt when the name can be opened by no
    // ANSI form (a volume that keeps no short names).
    std::optional<std::string> ansi;
};

ProgramFolder program_folder();

}  // namespace shared
