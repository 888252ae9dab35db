#include "text/NumberText.h"

#include "text/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace mardex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value whose shortest form has at most the mask's decimals, the case of
// every text the program wrote itself: the digits are those of the scaled
// whole number. Below 1e12 two such decimals lie further apart than two
// neighbouring doubles, so the one that reads back as `value` is its
// shortest form. False for any other value.
bool ShortMaskedDecimal(double value, bool station, std::string& out)
{
    std::uint64_t magnitude = 0;
    bool negative = false;
    char text[24];
    char* const end = text + sizeof text;
    if (station) {
        if (!ScaledDecimal<3>(value, magnitude, negative)) return false;
        char* start = StationTextBackward(magnitude, negative, end);
        out.assign(start, end);
    } else {
        if (!ScaledDecimal<2>(value, magnitude, negative)) return false;
        char* start = AreaTextBackward(magnitude, negative, end);
        out.assign(start, end);
    }
    return true;
}

// The value rounded half away from zero on its shortest decimal form (so
// 2.675 rounds to 2.68, not 2.67), with `decimals` decimals and at least
// `minWhole` integer digits; with `stationPlus` a "+" stands before the last
// two integer digits. Built in place: every cell and report field passes here.
std::string MaskedDecimal(double value, int decimals, int minWhole, bool stationPlus)
{
    if (std::string out; ShortMaskedDecimal(value, stationPlus, out)) return out;
    char text[400];
    const auto res = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (!std::isfinite(value)) return std::string(text, res.ptr);
    const char* p = text;
    const char* const end = res.ptr;
    const bool negative = *p == '-';
    if (negative) ++p;
    const char* point = std::find(p, end, '.');
    const char* frac = point < end ? point + 1 : end;
    const long fracLength = end - frac;

    // Leading zeros first: they pad to minWhole digits and take a carry.
    char digits[420];
    int n = 0;
    for (int i = 0; i < minWhole; ++i) digits[n++] = '0';
    for (const char* q = p; q < point; ++q) digits[n++] = *q;
    const int wholeEnd = n;
    for (int i = 0; i < decimals; ++i) digits[n++] = i < fracLength ? frac[i] : '0';
    if (fracLength > decimals && frac[decimals] >= '5') {
        int i = n - 1;
        while (digits[i] == '9') digits[i--] = '0';
        ++digits[i];
    }
    int start = 0;
    while (start < wholeEnd - minWhole && digits[start] == '0') ++start;
    const bool zero = std::all_of(digits, digits + n, [](char c) { return c == '0'; });

    std::string out;
    out.reserve(n - start + 3);
    if (negative && !zero) out += '-';
    if (stationPlus) {
        out.append(digits + start, digits + wholeEnd - 2);
        out += '+';
        out.append(digits + wholeEnd - 2, 2);
    } else {
        out.append(digits + start, digits + wholeEnd);
    }
    out += '.';
    out.append(digits + wholeEnd, decimals);
    return out;
}

// The power of ten of the first nonzero digit of a number text without sign
// ("123e5" -> 7, "0.001" -> -3), saturated far beyond any double: tells a
// value too large for a double from one too small.
long LeadingDigitExponent(std::string_view body)
{
    long lead = 0;
    bool afterPoint = false, nonzero = false;
    std::size_t i = 0;
    for (; i < body.size() && (IsDigit(body[i]) || body[i] == '.'); ++i) {
        if (body[i] == '.') afterPoint = true;
        else if (!nonzero && body[i] != '0') nonzero = true, lead = afterPoint ? lead - 1 : 0;
        else if (!nonzero && afterPoint) --lead;
        else if (nonzero && !afterPoint) ++lead;
    }
    long exponent = 0;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        const bool negative = ++i < body.size() && body[i] == '-';
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
        for (; i < body.size() && IsDigit(body[i]); ++i) exponent = std::min(exponent * 10 + (body[i] - '0'), 100000L);
        if (negative) exponent = -exponent;
    }
    return lead + exponent;
}

} // namespace

std::string TrimLeft(std::string_view text)
{
    const auto b = text.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string() : std::string(text.substr(b));
}

std::string TrimRight(std::string_view text)
{
    const auto e = text.find_last_not_of(' ');
    return e == std::string_view::npos ? std::string() : std::string(text.substr(0, e + 1));
}

std::string_view TrimmedView(std::string_view text)
{
    const auto b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return text.substr(b, text.find_last_not_of(' ') - b + 1);
}

std::string Trim(std::string_view text) { return std::string(TrimmedView(text)); }

std::string ToUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::optional<double> ParseNumber(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    std::string_view s = text.substr(b, e - b);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t start = i;
    // The digits are gathered as a whole number while they are checked; it is
    // used only when there are at most 15 of them.
    std::uint64_t mantissa = 0;
    std::size_t digits = 0;
    int decimals = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) mantissa = mantissa * 10 + static_cast<unsigned>(s[i] - '0');
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits, ++decimals)
            mantissa = mantissa * 10 + static_cast<unsigned>(s[i] - '0');
    }
    if (digits == 0) return std::nullopt;
    const bool exponent = i < s.size() && (s[i] == 'e' || s[i] == 'E');
    if (exponent) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    if (!exponent && digits <= 15) {
        // Few digits: the digits as a whole number divided by a power of ten
        // is exact up to the one rounding of the division, as from_chars is.
        static constexpr double Powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double value = static_cast<double>(mantissa) / Powers[decimals];
        return negative ? -value : value;
    }
    // from_chars takes neither a leading "+" nor a leading "." without a digit before it.
    std::string body(s.substr(start));
    if (body[0] == '.') body.insert(body.begin(), '0');
    double value = 0;
    auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec == std::errc::result_out_of_range) value = LeadingDigitExponent(body) > 0 ? HUGE_VAL : 0.0;
    else if (res.ec != std::errc()) return std::nullopt;
    return negative ? -value : value;
}

bool ReadsAsNumber(std::string_view text) { return ParseNumber(text).has_value(); }

std::string FormatStation(double value) { return MaskedDecimal(value, 3, 4, true); }

std::string FormatArea(double value) { return MaskedDecimal(value, 2, 1, false); }

std::string FormatStationText(std::string_view text)
{
    const auto v = ParseNumber(text);
    return v ? FormatStation(*v) : std::string(text);
}

std::string FormatAreaText(std::string_view text)
{
    const auto v = ParseNumber(text);
    return v ? FormatArea(*v) : std::string(text);
}

std::string RightAlign(std::string_view text, std::size_t width)
{
    if (text.size() >= width) return std::string(text);
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string TwoDigits(long value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return (value < 0 ? "-" : "") + digits;
}

std::string GeneralText(double value)
{
    if (value == 0) return "0";
    char buf[64];
    // %.15g switches to E notation exactly where the general text does:
    // exponent below -4 or at 15 and above.
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string text(buf);
    const auto e = text.find('e');
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    const char sign = text[e + 1];
    std::string exponent = text.substr(e + 2);
    while (exponent.size() > 2 && exponent[0] == '0') exponent.erase(0, 1);
    return mantissa + "E" + sign + exponent;
}

bool NamesNonFiniteValue(std::string_view text)
{
    std::string_view s = TrimmedView(text);
    while (!s.empty() && (s.back() == '\t' || s.back() == ' ')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == '\t' || s.front() == ' ')) s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    const std::string word = ToUpper(s.substr(0, s.find('(')));
    if (word == "NAN") return s.size() == 3 || s.back() == ')';
    return (word == "INF" || word == "INFINITY") && word.size() == s.size();
}

double StationToNumber(std::string_view text)
{
    const auto plus = text.find('+');
    if (plus == std::string_view::npos) {
        if (text == "." || text.empty()) return 0;
        return ParseNumber(text).value_or(0);
    }
    // A second "+" makes the text no station at all, even where it could
    // pass for the sign of the remainder (12++4).
    if (text.find('+', plus + 1) != std::string_view::npos) return 0;
    auto part = [](std::string_view p) -> std::optional<double> {
        if (p.empty()) return 0.0;
        return ParseNumber(p);
    };
    const auto rest = part(text.substr(plus + 1));
    if (!rest) return 0;
    if (plus == 0) return *rest;
    const std::string_view head = text.substr(0, plus);
    const auto hundreds = part(head);
    if (!hundreds) return 0;
    const auto firstChar = head.find_first_not_of(" \t");
    if (firstChar != std::string_view::npos && head[firstChar] == '-')
        return -(std::fabs(*hundreds) * 100 + *rest);
    return *hundreds * 100 + *rest;
}

bool IsStationMaskText(std::string_view text, double& value)
{
    // The form is fixed from the end: "+dd.ddd" after two to seven digits of
    // hundreds ("00+00.000" at the shortest, "-" and fifteen characters at the longest).
    const std::size_t n = text.size();
    if (n < 9 || n > 15) return false;
    const char* t = text.data();
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
    const bool negative = t[0] == '-';
    const std::size_t headStart = negative ? 1 : 0, headEnd = n - 7;
    const std::size_t headDigits = headEnd - headStart;
    // Two digits at least, no leading zero beyond them, fewer than 1e9.
    if (headDigits < 2 || headDigits > 7 || (headDigits > 2 && t[headStart] == '0')) return false;
    const char* r = t + headEnd;
    if (r[0] != '+' || r[3] != '.' || digit(r[1]) > 9 || digit(r[2]) > 9 || digit(r[4]) > 9 || digit(r[5]) > 9 ||
        digit(r[6]) > 9)
        return false;
    std::uint64_t hundreds = 0;
    for (std::size_t i = headStart; i < headEnd; ++i) {
        if (digit(t[i]) > 9) return false;
        hundreds = hundreds * 10 + digit(t[i]);
    }
    const unsigned rest = digit(r[1]) * 10000 + digit(r[2]) * 1000 + digit(r[4]) * 100 + digit(r[5]) * 10 + digit(r[6]);
    if (negative && hundreds == 0 && rest == 0) return false;  // the mask gives no "-" to zero
    // As StationToNumber reads it: the hundreds times 100 plus the rest.
    const double magnitude = static_cast<double>(hundreds) * 100 + static_cast<double>(rest) / 1e3;
    value = negative ? -magnitude : magnitude;
    return true;
}

double nearest(double x) { return std::nearbyint(x); }

} // namespace mardex
