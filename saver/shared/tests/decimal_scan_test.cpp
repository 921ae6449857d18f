// The decimal scanner beneath the number readers: what it reads and where it
// stops, row by row.
#include "saver/shared/decimal_scan.h"

#include <gtest/gtest.h>

namespace {

using shared::kDecimalScanCeiling;

struct Row {
    const char* text;
    std::size_t begin;
    bool has_sign;
    bool negative;
    std::size_t whole_digits;
    std::uint64_t whole;
    std::size_t fraction_digits;
    bool fraction_nonzero;
    std::size_t end;
};

TEST(DecimalScan, ReadsSignDigitsFractionAndStop) {
    // text, begin, has_sign, negative, whole_digits, whole, fraction_digits, fraction_nonzero, end
    const Row rows[] = {
        {"", 0, false, false, 0, 0, 0, false, 0},
        {"-", 0, true, true, 0, 0, 0, false, 1},
        {"+", 0, true, false, 0, 0, 0, false, 1},
        {" \t 42", 3, false, false, 2, 42, 0, false, 5},
        {"  -7 ", 2, true, true, 1, 7, 0, false, 4},
        {"0012", 0, false, false, 4, 12, 0, false, 4},
        {"3.25x", 0, false, false, 1, 3, 2, true, 4},
        {"-2.000", 0, true, true, 1, 2, 3, false, 6},
        {".5", 0, false, false, 0, 0, 1, true, 2},
        {"5.", 0, false, false, 1, 5, 0, false, 2},
        {"1.2.3", 0, false, false, 1, 1, 1, true, 3},
        {"--1", 0, true, true, 0, 0, 0, false, 1},
        {"1 2", 0, false, false, 1, 1, 0, false, 1},
        {"12\r", 0, false, false, 2, 12, 0, false, 2},
        {"abc", 0, false, false, 0, 0, 0, false, 0},
        {"\xEF\xBC\x91", 0, false, false, 0, 0, 0, false, 0},  // a full-width digit is not a digit
        {"999999999999999999", 0, false, false, 18, 999999999999999999ULL, 0, false, 18},
        {"1000000000000000000", 0, false, false, 19, kDecimalScanCeiling, 0, false, 19},
        {"-99999999999999999999999999.9", 0, true, true, 26, kDecimalScanCeiling, 1, true, 29},
    };
    for (const Row& r : rows) {
        const shared::DecimalScan s = shared::scan_decimal(r.text);
        SCOPED_TRACE(std::string("\"") + r.text + "\"");
        EXPECT_EQ(s.begin, r.begin);
        EXPECT_EQ(s.has_sign, r.has_sign);
        EXPECT_EQ(s.negative, r.negative);
        EXPECT_EQ(s.whole_digits, r.whole_digits);
        EXPECT_EQ(s.whole, r.whole);
        EXPECT_EQ(s.fraction_digits, r.fraction_digits);
        EXPECT_EQ(s.fraction_nonzero, r.fraction_nonzero);
        EXPECT_EQ(s.end, r.end);
        EXPECT_EQ(s.digits(), r.whole_digits + r.fraction_digits);
    }
}

}  // namespace
