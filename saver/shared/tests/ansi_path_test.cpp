// Backslashes in Shift-JIS paths: the second byte of a two-byte character
// may be 0x5C and must never be taken for one.
#include "saver/shared/ansi_path.h"

#include <gtest/gtest.h>

#include <string>

#if defined(_WIN32)
#include <windows.h>

#include "saver/shared/win32/ansi_path.h"
#endif

using namespace shared;

namespace {

TEST(AnsiPath, BackslashesAreFoundCharacterByCharacter) {
    const struct {
        const char* what;
        std::string path;
        std::string folder_932;  // folder_of in code page 932
        bool ends_in_backslash_932;
        std::string folder_1252;  // the same bytes in a single-byte code page
    } cases[] = {
        {"plain", "C:\\Savers\\Ember_Lantern.scr", "C:\\Savers", false, "C:\\Savers"},
        {"file named 表 (95 5C)", "C:\\x\\\x95\x5C.scr", "C:\\x", false, "C:\\x\\\x95"},
        {"folder ending in ソ (83 5C)", "C:\\\x89\xB9\x8A\x79\\\x83\x5C", "C:\\\x89\xB9\x8A\x79", false,
         "C:\\\x89\xB9\x8A\x79\\\x83"},
        {"能 (94 5C) then a real backslash", "D:\\\x94\x5C\\", "D:\\\x94\x5C", true, "D:\\\x94\x5C"},
        {"十 (8F 5C) twice", "\x8F\x5C\x8F\x5C", "", false, "\x8F\x5C\x8F"},
        {"half-width katakana are single bytes", "C:\\\xCC\xA7\xB2\xD9\\a.mp3", "C:\\\xCC\xA7\xB2\xD9", false,
         "C:\\\xCC\xA7\xB2\xD9"},
        {"a lead byte at the very end stands alone", "C:\\a\\\x83", "C:\\a", false, "C:\\a"},
        {"no backslash", "a.mp3", "", false, ""},
        {"empty", "", "", false, ""},
    };
    const LeadBytes sjis = LeadBytes::shift_jis();
    const LeadBytes single = LeadBytes::none();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(folder_of(c.path, sjis), c.folder_932);
        EXPECT_EQ(ends_in_backslash(c.path, sjis), c.ends_in_backslash_932);
        EXPECT_EQ(folder_of(c.path, single), c.folder_1252);
        EXPECT_EQ(ends_in_backslash(c.path, single), !c.path.empty() && c.path.back() == '\\');
    }
}

#if defined(_WIN32)
// The tests run with the Japanese ANSI code page: the running system's lead
// bytes must be exactly those the portable table names.
TEST(AnsiPath, SystemLeadBytesAreShiftJisUnderCodePage932) {
    ASSERT_EQ(GetACP(), 932u);
    const LeadBytes system = system_lead_bytes();
    const LeadBytes sjis = LeadBytes::shift_jis();
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(system.is_lead(static_cast<unsigned char>(b)), sjis.is_lead(static_cast<unsigned char>(b))) << b;
}
#endif

}  // namespace
