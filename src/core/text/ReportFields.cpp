// The report fields, plain and fast; what the fast ones guarantee and how
// that is checked: ReportFields.h.
#include "text/ReportFields.h"

#include "text/NumberText.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace mardex {

namespace {

void AppendRight(std::string& line, std::string_view text, std::size_t width)
{
    if (text.size() < width) line.append(width - text.size(), ' ');
    line.append(text);
}

// A whole number of at most 15 digits has the two-decimal text "<digits>.00";
// most report values (volumes and their sums) are such numbers.
bool WholeNumberText(double value, char* buf, std::size_t& length)
{
    if (!(value > -1e15 && value < 1e15)) return false;
    const auto whole = static_cast<long long>(value);
    if (static_cast<double>(whole) != value) return false;
    auto res = std::to_chars(buf, buf + 24, whole);
    std::memcpy(res.ptr, ".00", 3);
    length = static_cast<std::size_t>(res.ptr + 3 - buf);
    return true;
}

} // namespace

char* PutOtherShortNumberField(char* to, double value)
{
    std::uint64_t hundredths = 0;
    bool negative = false;
    if (!ScaledDecimal<2>(value, hundredths, negative)) return nullptr;
    // Nine characters hold six integer digits, or a "-" and five.
    if (hundredths < (negative ? 10000000U : 100000000U)) {
        std::memcpy(to, "         ", 9);
        AreaTextBackward(hundredths, negative, to + 9);
        return to + 9;
    }
    char text[24];
    const char* start = AreaTextBackward(hundredths, negative, text + sizeof text);
    const auto n = static_cast<std::size_t>(text + sizeof text - start);
    std::memcpy(to, start, n);
    return to + n;
}

char* PutOtherShortStationText(char* to, double station)
{
    std::uint64_t thousandths = 0;
    bool negative = false;
    if (!ScaledDecimal<3>(station, thousandths, negative)) return nullptr;
    char text[24];
    char* const end = text + sizeof text;
    const char* start = StationTextBackward(thousandths, negative, end);
    const auto n = static_cast<std::size_t>(end - start);
    std::memcpy(to, start, n);
    return to + n;
}

void AppendRightAligned(std::string& line, std::string_view text, std::size_t width)
{
    AppendRight(line, text, width);
}

void AppendStationField(std::string& line, double station) { AppendRight(line, FormatStation(station), 8); }

void AppendNumberField(std::string& line, double value)
{
    char buf[32];
    std::size_t length = 0;
    if (WholeNumberText(value, buf, length)) AppendRight(line, std::string_view(buf, length), 9);
    else AppendRight(line, FormatArea(value), 9);
}

void AppendNumberField(std::string& line, std::string_view text)
{
    if (IsAreaMaskText(text)) AppendRight(line, text, 9);
    else AppendRight(line, FormatAreaText(text), 9);
}

void FieldLine::LongPut(std::string_view text)
{
    if (!isLong_) {
        long_.assign(buffer_, size_);
        isLong_ = true;
    }
    long_.append(text);
}

void FieldLine::LongBlanks(std::size_t count)
{
    if (!isLong_) {
        long_.assign(buffer_, size_);
        isLong_ = true;
    }
    long_.append(count, ' ');
}

void FieldLine::OtherNumberField(double value)
{
    char buf[32];
    std::size_t length = 0;
    if (WholeNumberText(value, buf, length)) RightAligned(std::string_view(buf, length), 9);
    else RightAligned(FormatArea(value), 9);
}

void FieldLine::OtherAreaField(std::string_view text)
{
    if (IsAreaMaskText(text)) RightAligned(text, 9);
    else RightAligned(FormatAreaText(text), 9);
}

void FieldLine::AppendTo(std::string& out, std::string_view end)
{
    Put(end);
    if (isLong_) out.append(long_);
    else out.append(buffer_, size_);
    size_ = 0;
    isLong_ = false;
    long_.clear();
}

std::string StationText(double station) { return FormatStation(station); }
std::string StationText(std::string_view text) { return FormatStationText(text); }
std::string StationField(double station) { return RightAlign(FormatStation(station), 8); }
std::string StationField(std::string_view text) { return RightAlign(FormatStationText(text), 8); }
std::string NumberText(double value)
{
    char buf[32];
    std::size_t length = 0;
    if (WholeNumberText(value, buf, length)) return std::string(buf, length);
    return FormatArea(value);
}

std::string NumberField(double value)
{
    std::string field;
    AppendNumberField(field, value);
    return field;
}

std::string NumberField(std::string_view text)
{
    std::string field;
    AppendNumberField(field, text);
    return field;
}
std::string SummaryField(double value) { return RightAlign(GeneralText(value), 9); }
std::string SummaryField(std::string_view text) { return RightAlign(text, 9); }

std::string JoinFields(std::initializer_list<std::string_view> fields, std::size_t blanks)
{
    std::string line;
    line.reserve(fields.size() * (9 + blanks));
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) line.append(blanks, ' ');
        line.append(f);
        first = false;
    }
    return line;
}

std::string OnPrintZones(std::initializer_list<std::string_view> fields)
{
    constexpr std::size_t Zone = 14;
    std::string line;
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) line.append((line.size() / Zone + 1) * Zone - line.size(), ' ');
        line.append(f);
        first = false;
    }
    return line;
}

const std::string& Rule(int which)
{
    static const std::string rules[5] = {
        "*+" + std::string(113, '*'),
        "*+" + std::string(112, '*'),
        "**+" + std::string(112, '*'),
        "*+" + std::string(10, '*') + " " + std::string(105, '*'),
        "*+" + std::string(8, '*') + " " + std::string(109, '*'),
    };
    if (which < 1 || which > 5) throw std::out_of_range("Subscript out of range");
    return rules[which - 1];
}

} // namespace mardex
