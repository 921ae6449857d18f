// The characters the front end's readers of numbers in text look at: the
// settings file's values, the repeat box. Byte by byte, which is safe in
// Shift-JIS: no second byte of a double-byte character is a blank or a digit.
#pragma once

namespace shared {

// A blank that may stand around a number: space or tab.
inline bool is_number_blank(char c) {
    return c == ' ' || c == '\t';
}

inline bool is_decimal_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace shared
