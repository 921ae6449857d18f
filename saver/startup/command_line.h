// The screen-saver command line: the argument text, its mode letter and the
// preview host's handle.
#pragma once

#include <cstdint>
#include <string>

namespace startup {

// What a start of the front end does, decided by the argument text alone.
enum class StartMode {
    Preview,          // letter P: the still picture inside the host window
    Settings,         // letter C: the settings dialog
    Saver,            // letter S: a saver run with the cursor hidden
    SaverKeepCursor,  // empty argument text: a saver run, cursor left alone
    Silent,           // any other letter, or a single character: end without a word
};

// The arguments after the program's own path, as one string: the path is the
// first token (quoted or not), and the blanks that follow it are skipped.
std::string argument_text(const std::string& command_line);

// The second character of the argument text, upper-cased (ASCII letters only);
// '\0' when the text is shorter than two characters. The first character is
// not looked at: Windows passes a slash there, anything else is accepted alike.
char mode_letter(const std::string& arguments);

StartMode start_mode(const std::string& arguments);

// Reads `text` as a decimal number the way the preview handle is given:
// blanks (space, tab, CR, LF) are ignored wherever they stand, digits are read
// up to the first other character, no digits gives 0. A value beyond the
// signed 32-bit range gives 0, which the caller treats as "no host".
std::int32_t read_decimal_handle(const std::string& text);

// The preview host handle: the argument text from its fourth character on,
// read with read_decimal_handle ("/p 1234" and "/p:1234" both give 1234).
std::int32_t preview_host_handle(const std::string& arguments);

}  // namespace startup
