#pragma once
// The digits of the masks' texts for the values nearly every cell and report
// field holds (below 1e12, at most two or three decimals), written straight
// into a caller's buffer: the one place the station and area masks build
// such texts, used by the mask functions and by the report writer's rows.
#include <cstdint>
#include <cstring>

namespace mardex {

// "00" to "99", for writing numbers two digits at a time.
inline constexpr char DigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// The whole number nearest to x, halves going to the even neighbour, for
// |x| below 2^51: adding and taking away 1.5 * 2^52 leaves no fraction
// (the default rounding mode does the rounding), with no library call.
inline double NearestBelow2Pow51(double x)
{
    constexpr double Shift = 6755399441055744.0;  // 1.5 * 2^52
    return (x + Shift) - Shift;
}

// A value as the whole number of its hundredths (Decimals 2) or thousandths
// (Decimals 3), when it is below 1e12 in magnitude and that whole number
// divided back gives the value exactly: then the number's text has at most
// that many decimals, and those digits are its mask's digits. False for any
// other value (infinite, NaN, huge or with more decimals).
template <int Decimals>
inline bool ScaledDecimal(double value, std::uint64_t& magnitude, bool& negative)
{
    static_assert(Decimals == 2 || Decimals == 3);
    constexpr double Scale = Decimals == 2 ? 100.0 : 1000.0;
    if (!(value > -1e12 && value < 1e12)) return false;
    const double scaled = NearestBelow2Pow51(value * Scale);
    if (scaled / Scale != value) return false;
    negative = scaled < 0;
    magnitude = static_cast<std::uint64_t>(negative ? -scaled : scaled);
    return true;
}

// Writes `value` in decimal, one digit at least, right to left ending at
// `end`; returns where the digits start. (32-bit values divide cheaper.)
template <class Unsigned>
[[gnu::always_inline]] inline char* DigitsBackward(Unsigned value, char* end)
{
    while (value >= 100) {
        const Unsigned rest = value / 100;
        end -= 2;
        std::memcpy(end, DigitPairs + 2 * static_cast<std::size_t>(value - rest * 100), 2);
        value = rest;
    }
    if (value >= 10) {
        end -= 2;
        std::memcpy(end, DigitPairs + 2 * value, 2);
    } else {
        *--end = static_cast<char>('0' + value);
    }
    return end;
}

// The same with two digits at least ("05").
template <class Unsigned>
inline char* TwoOrMoreDigitsBackward(Unsigned value, char* end)
{
    if (value >= 10) return DigitsBackward(value, end);
    end -= 2;
    std::memcpy(end, DigitPairs + 2 * value, 2);
    return end;
}

// The area mask "##########0.00" of hundredths, right to left ending at
// `end` (at most 17 characters below 1e12); returns its start. Nothing is
// written before the start.
template <class Unsigned>
inline char* AreaTextBackward(Unsigned hundredths, bool negative, char* end)
{
    std::memcpy(end - 2, DigitPairs + 2 * (hundredths % 100), 2);
    end[-3] = '.';
    char* p = DigitsBackward(hundredths / 100, end - 3);
    if (negative) *--p = '-';
    return p;
}

// The station mask "########00+00.000" of thousandths, right to left ending
// at `end` (at most 18 characters below 1e12); returns its start. Nothing
// is written before the start.
template <class Unsigned>
inline char* StationTextBackward(Unsigned thousandths, bool negative, char* end)
{
    const Unsigned hundredsPart = thousandths / 1000;
    const auto fraction = static_cast<unsigned>(thousandths % 1000);
    // Most stations are whole feet or metres.
    if (fraction == 0) {
        std::memcpy(end - 4, ".000", 4);
    } else {
        end[-3] = static_cast<char>('0' + fraction / 100);
        std::memcpy(end - 2, DigitPairs + 2 * (fraction % 100), 2);
        end[-4] = '.';
    }
    std::memcpy(end - 6, DigitPairs + 2 * (hundredsPart % 100), 2);
    end[-7] = '+';
    char* p = TwoOrMoreDigitsBackward(hundredsPart / 100, end - 7);
    if (negative) *--p = '-';
    return p;
}

} // namespace mardex
