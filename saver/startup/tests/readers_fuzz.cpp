// Fuzz target for the command-line, number and path readers: each input is checked
// against the readers' stated properties and against a second, plainer
// reading of the same rules. Built as a libFuzzer target with clang, and
// driven by readers_random.cpp (a bounded randomized run) with any compiler.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "saver/shared/ansi_path.h"
#include "saver/shared/settings_file.h"
#include "saver/startup/command_line.h"

using namespace startup;

using namespace shared;

namespace {

void check(bool condition, const char* what) {
    if (!condition)
        __builtin_trap();
    (void)what;
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The handle rule read once more: drop every blank, take the leading digits.
std::int32_t plain_handle(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (blank(c))
            continue;
        if (c < '0' || c > '9')
            break;
        digits += c;
    }
    while (digits.size() > 1 && digits[0] == '0')
        digits.erase(0, 1);
    if (digits.empty() || digits.size() > 10 || (digits.size() == 10 && digits > "2147483647"))
        return 0;
    return static_cast<std::int32_t>(std::strtoll(digits.c_str(), nullptr, 10));
}

// The number rule read once more, through the C library where it is exact
// enough: a sign, digits with at most one point, blanks around; floor; range.
bool plain_number(const std::string& text, std::int16_t* out) {
    std::size_t a = 0, b = text.size();
    while (a < b && (text[a] == ' ' || text[a] == '\t'))
        ++a;
    while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t'))
        --b;
    const std::string t = text.substr(a, b - a);
    std::size_t i = (!t.empty() && (t[0] == '+' || t[0] == '-')) ? 1 : 0;
    std::size_t digits = 0, points = 0, fraction_digits = 0;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') {
            ++digits;
            fraction_digits += points;
        } else if (t[i] == '.') {
            ++points;
        } else {
            digits = 0;
            break;
        }
    }
    if (digits == 0 || points > 1) {
        *out = 0;
        return true;
    }
    if (digits > 15 || fraction_digits > 8)
        return false;  // beyond what a double reads exactly: no opinion
    const double v = std::floor(std::strtod(t.c_str(), nullptr));
    *out = (v < -32768.0 || v > 32767.0) ? 0 : static_cast<std::int16_t>(v);
    return true;
}

// The path rule read once more: cut the text into characters first (a lead
// byte takes the next byte with it), then look for the last backslash.
std::size_t plain_last_backslash(const std::string& text, const LeadBytes& lead) {
    std::vector<std::pair<std::size_t, std::size_t>> characters;  // start, length
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = lead.is_lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        characters.emplace_back(i, length);
        i += length;
    }
    for (auto it = characters.rbegin(); it != characters.rend(); ++it) {
        if (it->second == 1 && text[it->first] == '\\')
            return it->first;
    }
    return std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::string arguments = argument_text(input);
    check(arguments.size() <= input.size(), "arguments longer than the line");
    check(input.compare(input.size() - arguments.size(), arguments.size(), arguments) == 0,
          "arguments are not the tail of the line");
    check(arguments.empty() || (arguments[0] != ' ' && arguments[0] != '\t'), "leading blank kept");

    const StartMode mode = start_mode(input);
    const char letter = mode_letter(input);
    check((mode == StartMode::Preview) == (letter == 'P'), "preview letter");
    check((mode == StartMode::SaverKeepCursor) == input.empty(), "empty line");
    check(input.size() >= 2 || mode == StartMode::Silent || mode == StartMode::SaverKeepCursor, "short line");

    const std::int32_t handle = read_decimal_handle(input);
    check(handle >= 0, "negative handle");
    check(handle == plain_handle(input), "handle differs from the plain reading");
    check(preview_host_handle(input) == (input.size() > 3 ? read_decimal_handle(input.substr(3)) : 0),
          "host handle is not read from the fourth character");

    const std::int16_t number = read_ini_number(input);
    std::int16_t expected = 0;
    if (plain_number(input, &expected))
        check(number == expected, "number differs from the plain reading");
    check(read_ini_number(format_ini_number(number)) == number, "written form does not read back");

    for (const LeadBytes& lead : {LeadBytes::shift_jis(), LeadBytes::none()}) {
        const std::size_t slash = last_backslash(input, lead);
        check(slash == plain_last_backslash(input, lead), "last backslash differs from the plain reading");
        const std::string folder = folder_of(input, lead);
        check(slash == std::string::npos ? folder.empty() : folder == input.substr(0, slash), "folder");
        check(ends_in_backslash(input, lead) == (!input.empty() && slash == input.size() - 1), "trailing backslash");
    }
    return 0;
}
