#include "saver/startup/command_line.h"

#include <cstddef>

#include "saver/shared/decimal_scan.h"

namespace startup {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::string argument_text(const std::string& command_line) {
    std::size_t i = 0;
    const std::size_t n = command_line.size();
    // The program path: a quoted path ends at the closing quote, an unquoted
    // one at the first blank, as the Windows start-up code reads it.
    bool quoted = false;
    while (i < n) {
        const char c = command_line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            break;
        }
        ++i;
    }
    while (i < n && (command_line[i] == ' ' || command_line[i] == '\t'))
        ++i;
    return command_line.substr(i);
}

char mode_letter(const std::string& arguments) {
    if (arguments.size() < 2)
        return '\0';
    const char c = arguments[1];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

StartMode start_mode(const std::string& arguments) {
    switch (mode_letter(arguments)) {
        case 'P':
            return StartMode::Preview;
        case 'C':
            return StartMode::Settings;
        case 'S':
            return StartMode::Saver;
        default:
            return arguments.empty() ? StartMode::SaverKeepCursor : StartMode::Silent;
    }
}

std::int32_t read_decimal_handle(const std::string& text) {
    // Blanks count for nothing, even between digits: drop them all, then
    // read digits only (a sign or no digit gives 0).
    std::string packed;
    packed.reserve(text.size());
    for (const char c : text) {
        if (!is_blank(c))
            packed += c;
    }
    const shared::DecimalScan scan = shared::scan_decimal(packed);
    if (scan.has_sign || scan.whole_digits == 0 || scan.whole > INT32_MAX)
        return 0;
    return static_cast<std::int32_t>(scan.whole);
}

std::int32_t preview_host_handle(const std::string& arguments) {
    return arguments.size() > 3 ? read_decimal_handle(arguments.substr(3)) : 0;
}

}  // namespace startup
