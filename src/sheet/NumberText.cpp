#include "sheet/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace mardex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number split into its decimal digits, rounded half away from zero on the
// shortest decimal form of the double (so 2.675 rounds to 2.68, not 2.67).
struct Decimal {
    bool negative = false;
    std::string whole;  // no leading zeros; empty for zero
    std::string frac;   // exactly the requested number of digits
};

Decimal RoundedDecimal(double value, int decimals)
{
    char buf[512];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string text(buf, res.ptr);
    Decimal d;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == '-') {
        d.negative = true;
        pos = 1;
    }
    std::string whole, frac;
    const auto point = text.find('.', pos);
    if (point == std::string::npos) {
        whole = text.substr(pos);
    } else {
        whole = text.substr(pos, point - pos);
        frac = text.substr(point + 1);
    }
    bool roundUp = false;
    if (static_cast<int>(frac.size()) > decimals) {
        roundUp = frac[decimals] >= '5';
        frac.resize(decimals);
    }
    frac.append(decimals - frac.size(), '0');
    std::string digits = whole + frac;
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i < 0) digits.insert(digits.begin(), '1');
        else ++digits[i];
    }
    d.frac = digits.substr(digits.size() - decimals);
    d.whole = digits.substr(0, digits.size() - decimals);
    const auto firstNonZero = d.whole.find_first_not_of('0');
    d.whole = firstNonZero == std::string::npos ? std::string() : d.whole.substr(firstNonZero);
    if (d.whole.empty() && d.frac.find_first_not_of('0') == std::string::npos) d.negative = false;
    return d;
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

std::string Trim(std::string_view text) { return TrimLeft(TrimRight(text)); }

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
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    // from_chars takes neither a leading "+" nor a leading "." without a digit before it.
    std::string body(s.substr(start));
    if (body[0] == '.') body.insert(body.begin(), '0');
    double value = 0;
    auto res = std::from_chars(body.data(), body.data() + body.size(), value);
    if (res.ec == std::errc::result_out_of_range) value = HUGE_VAL;
    else if (res.ec != std::errc()) return std::nullopt;
    return negative ? -value : value;
}

bool ReadsAsNumber(std::string_view text) { return ParseNumber(text).has_value(); }

std::string FormatStation(double value)
{
    const Decimal d = RoundedDecimal(value, 3);
    std::string whole = d.whole;
    if (whole.size() < 4) whole.insert(0, 4 - whole.size(), '0');
    whole.insert(whole.size() - 2, "+");
    return (d.negative ? "-" : "") + whole + "." + d.frac;
}

std::string FormatArea(double value)
{
    const Decimal d = RoundedDecimal(value, 2);
    return (d.negative ? "-" : "") + (d.whole.empty() ? std::string("0") : d.whole) + "." + d.frac;
}

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

double nearest(double x) { return std::nearbyint(x); }

} // namespace mardex
