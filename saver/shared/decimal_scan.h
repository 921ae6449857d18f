// One reading of a decimal number in text, beneath the front end's number
// readers (the settings file's values, the repeat box, the preview window's
// handle on the command line, the multimedia replies): blanks, a sign, whole
// digits, a point and fraction digits, and where the reading stopped. Each
// reader keeps its own rule for what the number must be and how it rounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace shared {

// The value the whole digits saturate at: far beyond every reader's range, so
// a long run of digits reads as too large instead of wrapping.
constexpr std::uint64_t kDecimalScanCeiling = 1000000000000000000ULL;

struct DecimalScan {
    // Where the number begins: the sign, or else the first digit or point.
    std::size_t begin = 0;
    bool has_sign = false;
    bool negative = false;
    std::size_t whole_digits = 0;
    // The whole digits' value, or kDecimalScanCeiling when larger.
    std::uint64_t whole = 0;
    std::size_t fraction_digits = 0;
    bool fraction_nonzero = false;
    // The first character not read: text.size() when the number ends the text.
    std::size_t end = 0;

    std::size_t digits() const { return whole_digits + fraction_digits; }
};

// Reads from the start of text: spaces and tabs, one '+' or '-', decimal
// digits, then a '.' and more digits. Stops at the first character that does
// not fit; a text without digits still reports how far the sign and point go.
DecimalScan scan_decimal(const std::string& text);

}  // namespace shared
