#include "saver/shared/decimal_scan.h"

#include "saver/shared/number_text.h"

namespace shared {

DecimalScan scan_decimal(const std::string& text) {
    DecimalScan scan;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && is_number_blank(text[i]))
        ++i;
    scan.begin = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        scan.has_sign = true;
        scan.negative = text[i] == '-';
        ++i;
    }
    for (; i < n && is_decimal_digit(text[i]); ++i) {
        ++scan.whole_digits;
        const std::uint64_t digit = static_cast<std::uint64_t>(text[i] - '0');
        scan.whole = scan.whole > (kDecimalScanCeiling - digit) / 10 ? kDecimalScanCeiling : scan.whole * 10 + digit;
    }
    if (i < n && text[i] == '.') {
        for (++i; i < n && is_decimal_digit(text[i]); ++i) {
            ++scan.fraction_digits;
            scan.fraction_nonzero = scan.fraction_nonzero || text[i] != '0';
        }
    }
    scan.end = i;
    return scan;
}

}  // namespace shared
