#pragma once
// The pieces every report line is made of: the field formats, the rules of
// asterisks and the print zones of the summary rows. The sheet report and
// the log report both build their lines from these.
#include "text/AreaText.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mardex {

// Lines of a report file end in CR LF.
inline constexpr std::string_view ReportLineEnd = "\r\n";

// S(x): the station mask "########00+00.000"; a text that is not a plain
// number is left as it is.
std::string StationText(double station);
std::string StationText(std::string_view text);
// The station field: S(x) right-aligned in 8 characters (never shorter).
std::string StationField(double station);
std::string StationField(std::string_view text);
// N(x): two decimals, right-aligned in 9 characters, longer text left whole.
std::string NumberField(double value);
std::string NumberField(std::string_view text);
// N(x) without its padding.
std::string NumberText(double value);
// Z(x): the general text of a number, right-aligned in 9 characters.
std::string SummaryField(double value);
std::string SummaryField(std::string_view text);

// The same fields appended to a line under construction (no temporaries:
// a full combined report has half a million of them).
void AppendStationField(std::string& line, double station);
// A text right-aligned in `width` characters, longer text left whole.
void AppendRightAligned(std::string& line, std::string_view text, std::size_t width);
void AppendNumberField(std::string& line, double value);
void AppendNumberField(std::string& line, std::string_view text);

// "00" to "99", for writing numbers two digits at a time.
inline constexpr char DigitPairs[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596979899";

// A report line built in a fixed buffer and appended to the report in one
// piece; a line too long for the buffer (huge values) goes on in a string.
class FieldLine {
public:
    void Blanks(std::size_t count)
    {
        if (isLong_ || size_ + count > sizeof buffer_) return LongBlanks(count);
        std::memset(buffer_ + size_, ' ', count);
        size_ += count;
    }
    void RightAligned(std::string_view text, std::size_t width)
    {
        if (text.size() < width) Blanks(width - text.size());
        Put(text);
    }
    void NumberField(double value)
    {
        // Most fields of a row are volumes of a few digits: their text goes
        // straight into the buffer, right to left, when it fits the field.
        if (!isLong_ && size_ + 9 <= sizeof buffer_ && value > -1e5 && value < 1e6) {
            const auto whole = static_cast<int32_t>(value);
            if (static_cast<double>(whole) == value) return PutWholeField(whole);
        }
        OtherNumberField(value);
    }
    void NumberField(std::string_view text)
    {
        // An area cell that is already its own mask and fits the field is
        // copied as it is.
        if (!isLong_ && text.size() <= 9 && size_ + 9 <= sizeof buffer_ && IsAreaMaskText(text))
            return PutAreaField(text);
        OtherAreaField(text);
    }
    void Text(std::string_view text) { Put(text); }
    // Appends the line and `end` to `out`, and empties the line.
    void AppendTo(std::string& out, std::string_view end);

private:
    void Put(std::string_view text)
    {
        if (isLong_ || size_ + text.size() > sizeof buffer_) return LongPut(text);
        std::memcpy(buffer_ + size_, text.data(), text.size());
        size_ += text.size();
    }
    // N(whole) right-aligned in nine characters; its text fits them.
    void PutWholeField(int32_t whole)
    {
        char* const field = buffer_ + size_;
        std::memcpy(field, "      .00", 9);
        char* p = field + 6;
        uint32_t magnitude = whole < 0 ? 0U - static_cast<uint32_t>(whole) : static_cast<uint32_t>(whole);
        // Two digits at a time, from the right.
        while (magnitude >= 100) {
            p -= 2;
            std::memcpy(p, DigitPairs + 2 * (magnitude % 100), 2);
            magnitude /= 100;
        }
        if (magnitude >= 10) {
            p -= 2;
            std::memcpy(p, DigitPairs + 2 * magnitude, 2);
        } else {
            *--p = static_cast<char>('0' + magnitude);
        }
        if (whole < 0) *--p = '-';
        size_ += 9;
    }
    void OtherNumberField(double value);
    void LongPut(std::string_view text);
    void LongBlanks(std::size_t count);
    // A mask text of four to nine characters right-aligned in nine.
    void PutAreaField(std::string_view text)
    {
        char* const field = buffer_ + size_;
        std::memcpy(field, "         ", 9);
        // Copied as two overlapping blocks of fixed length.
        char* const to = field + 9 - text.size();
        const char* const from = text.data();
        const std::size_t n = text.size();
        if (n >= 8) {
            std::memcpy(to, from, 8);
            std::memcpy(to + n - 8, from + n - 8, 8);
        } else {
            std::memcpy(to, from, 4);
            std::memcpy(to + n - 4, from + n - 4, 4);
        }
        size_ += 9;
    }
    void OtherAreaField(std::string_view text);
    char buffer_[256];
    std::size_t size_ = 0;
    std::string long_;  // the whole line once it outgrows the buffer
    bool isLong_ = false;
};

// Fields joined by a fixed run of blanks.
std::string JoinFields(std::initializer_list<std::string_view> fields, std::size_t blanks);
// Fields on print zones: each field after the first starts at the next
// multiple of 14 after the end of the one before it.
std::string OnPrintZones(std::initializer_list<std::string_view> fields);

// The five separator lines of asterisks (1..5).
const std::string& Rule(int which);

} // namespace mardex
