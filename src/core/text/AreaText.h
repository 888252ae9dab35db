#pragma once
// The area mask applied to a cell text, with a shortcut for the common case
// of a text the mask has already produced (every cell the reader or the grid
// stored), so that writing and reading large documents stays fast.
#include "text/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace mardex {

// True when `text` is exactly what "##########0.00" gives for its own value:
// an optional "-", digits without a leading zero (a lone "0" allowed), a
// point and two decimals, at most 15 digits in all, and not "-0.00".
// `value` is then the number the text reads as, gathered in the same pass.
inline bool IsAreaMaskText(std::string_view text, double& value)
{
    // The form is fixed from the end: ".dd" after the integer digits, "0.00"
    // at the shortest, "-" and 13 integer digits at the longest.
    const std::size_t n = text.size();
    if (n < 4 || n > 17) return false;
    const char* t = text.data();
    // Most quantities of a sheet are zero: cut or fill, and the added volumes.
    if (n == 4 && t[0] == '0' && t[1] == '.' && t[2] == '0' && t[3] == '0') {
        value = 0;
        return true;
    }
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
    const bool negative = t[0] == '-';
    const std::size_t intStart = negative ? 1 : 0, intEnd = n - 3;
    const std::size_t intDigits = intEnd - intStart;
    if (intDigits == 0 || intDigits > 13 || (intDigits > 1 && t[intStart] == '0')) return false;
    if (t[intEnd] != '.' || digit(t[n - 2]) > 9 || digit(t[n - 1]) > 9) return false;
    std::uint64_t hundredths = 0;
    for (std::size_t i = intStart; i < intEnd; ++i) {
        if (digit(t[i]) > 9) return false;
        hundredths = hundredths * 10 + digit(t[i]);
    }
    hundredths = hundredths * 100 + digit(t[n - 2]) * 10 + digit(t[n - 1]);
    if (negative && hundredths == 0) return false;  // the mask gives no "-" to zero
    // As ParseNumber reads it: the digits as a whole number over 100.
    value = static_cast<double>(hundredths) / 100;
    if (negative) value = -value;
    return true;
}

inline bool IsAreaMaskText(std::string_view text)
{
    double value = 0;
    return IsAreaMaskText(text, value);
}

// The text a row line holds for an area cell, written and read alike: the
// mask's text when it has at most 15 digits, otherwise the text
// as it stands, so that what is written reads back unchanged (the mask of
// 1e308 has 309 digits; that of 123456789012345678 would lose its last digits).
inline std::string AreaFieldText(std::string_view text)
{
    if (IsAreaMaskText(text)) return std::string(text);
    std::string masked = FormatAreaText(text);
    if (masked == text) return masked;
    const auto digits = std::count_if(masked.begin(), masked.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits >= 1 && digits <= 15 ? masked : std::string(text);  // "inf" is no value to keep
}

} // namespace mardex
