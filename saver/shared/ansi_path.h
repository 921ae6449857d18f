// Paths in the system's ANSI code page. In a double-byte code page such as
// Shift-JIS (932) the second byte of a character can be 0x5C, the backslash
// byte: "ソ" is 83 5C, "表" 95 5C, "能" 94 5C, "十" 8F 5C. So a backslash is
// found by walking the text character by character from its start, never by
// looking at a byte on its own. The Windows side supplies the running
// system's lead bytes (win32/ansi_path.h).
#pragma once

#include <bitset>
#include <cstddef>
#include <string>

namespace shared {

// Which byte values begin a two-byte character in a code page.
class LeadBytes {
public:
    // A single-byte code page (1252 and the like): no lead bytes.
    static LeadBytes none() { return LeadBytes(); }
    // Code page 932: 81..9F and E0..FC.
    static LeadBytes shift_jis();

    void add(unsigned char byte) { lead_.set(byte); }
    bool is_lead(unsigned char byte) const { return lead_.test(byte); }

private:
    std::bitset<256> lead_;
};

// Position of the last backslash character, or npos. A lead byte at the very
// end has no second byte and is read as a character of its own.
std::size_t last_backslash(const std::string& path, const LeadBytes& lead_bytes);

// True when the last character is a backslash.
bool ends_in_backslash(const std::string& path, const LeadBytes& lead_bytes);

// The folder of a full file path: what stands before its last backslash
// character; "" when there is none.
std::string folder_of(const std::string& path, const LeadBytes& lead_bytes);

}  // namespace shared
