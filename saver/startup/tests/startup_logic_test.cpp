// The command line's rules and the start-up's own text. (The settings file's
// rules are tested beside it, in saver/shared/tests.)
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "saver/shared/texts.h"
#include "saver/startup/command_line.h"

using namespace startup;

namespace {

// ---------------------------------------------------------------- command line

TEST(CommandLine, ArgumentTextIsWhatFollowsTheProgramPath) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\"C:\\Program Files\\Ember_Lantern.scr\" /p 1234", "/p 1234"},
        {"C:\\WINDOWS\\Ember_Lantern.scr /s", "/s"},
        {"C:\\WINDOWS\\Ember_Lantern.scr", ""},
        {"\"C:\\a b\\x.scr\"", ""},
        {"\"C:\\a b\\x.scr\"   \t/c:55 ", "/c:55 "},
        {"x.scr\t-s", "-s"},
        {"", ""},
    };
    for (const auto& [line, want] : cases)
        EXPECT_EQ(argument_text(line), want) << line;
}

TEST(CommandLine, ModeTable) {
    struct Case {
        const char* arguments;
        StartMode mode;
        std::int32_t host;  // preview host handle (read for every row, used for P)
    };
    const Case cases[] = {
        {"/s", StartMode::Saver, 0},
        {"/S", StartMode::Saver, 0},
        {"-s", StartMode::Saver, 0},
        {"xs", StartMode::Saver, 0},
        {"", StartMode::SaverKeepCursor, 0},
        {"s", StartMode::Silent, 0},
        {"S", StartMode::Silent, 0},
        {"/p 1234", StartMode::Preview, 1234},
        {"/p:1234", StartMode::Preview, 1234},
        {"/P 1234", StartMode::Preview, 1234},
        {"/p", StartMode::Preview, 0},
        {"/p ", StartMode::Preview, 0},
        {"/p  12 34", StartMode::Preview, 1234},   // blanks ignored everywhere
        {"/p 1234abc", StartMode::Preview, 1234},  // digits up to the first other character
        {"/p 12.9", StartMode::Preview, 12},
        {"/p -5", StartMode::Preview, 0},
        {"/p abc", StartMode::Preview, 0},
        {"/p 2147483647", StartMode::Preview, 2147483647},
        {"/p 2147483648", StartMode::Preview, 0},  // beyond 32 bits: no host
        {"/p 99999999999999999999999", StartMode::Preview, 0},
        {"/c:1234", StartMode::Settings, 1234},
        {"/C", StartMode::Settings, 0},
        {"/a", StartMode::Silent, 0},
        {"/A 1", StartMode::Silent, 1},
        {"//", StartMode::Silent, 0},
        {"/\xBD", StartMode::Silent, 0},  // a half-width katakana byte is no letter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(start_mode(c.arguments), c.mode) << c.arguments;
        EXPECT_EQ(preview_host_handle(c.arguments), c.host) << c.arguments;
    }
}

// ---------------------------------------------------------------- texts

TEST(StartupTexts, TheMissingRendererMessageIsTheShiftJisBytes) {
    // "Ember_Lantern.dllが同じﾌｫﾙﾀﾞに見つかりません！"
    EXPECT_EQ(std::string(texts::kRendererMissing),
              "Ember_Lantern.dll\x82\xAA\x93\xAF\x82\xB6\xCC\xAB\xD9\xC0\xDE\x82\xC9\x8C\xA9\x82\xC2\x82\xA9"
              "\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x49");
}

}  // namespace
