#pragma once
// The pieces every report line is made of: the field formats, the rules of
// asterisks and the print zones of the summary rows. The sheet report and
// the log report both build their lines from these.
// The fields come two ways: plainly, as strings (NumberField,
// AppendNumberField, StationText ...), and fast, written straight into a
// caller's buffer (the Put... functions and FieldLine). Guarantee: a fast
// field is byte for byte the plain one, or the fast function writes nothing
// to keep and says so (nullptr), and it never writes past the room it
// states. Checked by the differential fuzz target
// tests/fuzz/fuzz_fast_paths.cpp (the same values and texts through both,
// in buffers of exactly the stated room) and end to end by the golden files.
#include "text/AreaText.h"
#include "text/ByteWords.h"
#include "text/DecimalDigits.h"

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

// The fields of the common values written straight into a line, with no
// temporaries: each returns the field's end, or nullptr (nothing meant to
// be kept written) when the value or text needs the general path above.

// `Blanks` blanks and N(value) right-aligned in nine characters after them,
// when the value has a short text (ScaledDecimal): the blanks, the point
// and its zeros come with one copy. Writes at most Blanks + 17 characters,
// and 16 bytes of room are used however short the field is.
char* PutOtherShortNumberField(char* to, double value);

// The blank runs of the fields' copies, which start two blanks before the
// field: zero, a whole number's ".00", a field of blanks.
inline constexpr char ZeroFieldCopy[] = "       0.00       ";
inline constexpr char WholeFieldCopy[] = "        .00       ";
inline constexpr char BlankFieldCopy[] = "                  ";
template <std::size_t Blanks>
inline constexpr std::size_t FieldCopySkip = 2 - Blanks;  // where the copy starts for `Blanks`

// The same for a whole number that fits the field: six integer digits, or
// a "-" and five.
template <std::size_t Blanks>
[[gnu::always_inline]] inline char* PutFittingWholeField(char* to, std::int32_t whole)
{
    constexpr std::size_t End = Blanks + 9;
    std::memcpy(to, WholeFieldCopy + FieldCopySkip<Blanks>, 16);
    const auto magnitude = whole < 0 ? 0U - static_cast<std::uint32_t>(whole) : static_cast<std::uint32_t>(whole);
    char* p = DigitsBackward(magnitude, to + End - 3);
    if (whole < 0) p[-1] = '-';
    return to + End;
}

template <std::size_t Blanks = 0>
[[gnu::always_inline]] inline char* PutShortNumberField(char* to, double value)
{
    static_assert(Blanks <= 2, "the copies' blank runs are made for two blanks at most");
    constexpr std::size_t End = Blanks + 9;
    // Most quantities of a row are zero, most others whole volumes.
    if (value == 0) {
        std::memcpy(to, ZeroFieldCopy + FieldCopySkip<Blanks>, 16);
        return to + End;
    }
    if (value > -1e5 && value < 1e6) {
        const auto whole = static_cast<std::int32_t>(value);
        if (static_cast<double>(whole) == value) return PutFittingWholeField<Blanks>(to, whole);
        // Areas and added volumes: two decimals (as ScaledDecimal<2> reads them).
        const double scaled = NearestBelow2Pow51(value * 100);
        if (scaled / 100 == value) {
            std::memcpy(to, BlankFieldCopy + FieldCopySkip<Blanks>, 16);
            const bool negative = scaled < 0;
            AreaTextBackward(static_cast<std::uint32_t>(negative ? -scaled : scaled), negative, to + End);
            return to + End;
        }
    }
    std::memset(to, ' ', Blanks);
    return PutOtherShortNumberField(to + Blanks, value);
}

// The same for a 32-bit whole number (a volume or a mass ordinate), which
// always has a short text: never nullptr.
template <std::size_t Blanks = 0>
[[gnu::always_inline]] inline char* PutShortNumberField(char* to, std::int32_t value)
{
    static_assert(Blanks <= 2, "the copies' blank runs are made for two blanks at most");
    if (value == 0) {
        std::memcpy(to, ZeroFieldCopy + FieldCopySkip<Blanks>, 16);
        return to + Blanks + 9;
    }
    if (value > -100000 && value < 1000000) return PutFittingWholeField<Blanks>(to, value);
    std::memset(to, ' ', Blanks);
    return PutOtherShortNumberField(to + Blanks, value);
}

// S(station), which is never shorter than its field of eight, when the
// station has a short text; writes at most 18 characters.
char* PutOtherShortStationText(char* to, double station);
[[gnu::always_inline]] inline char* PutShortStationText(char* to, double station)
{
    // Most stations are positive and below 40,000+00: 32-bit thousandths.
    if (station >= 0 && station < 4e6) {
        const double scaled = NearestBelow2Pow51(station * 1000);
        if (scaled / 1000 == station) {
            const auto thousandths = static_cast<std::uint32_t>(scaled);
            const std::uint32_t head = thousandths / 100000;  // the digits before the "+"
            const std::size_t length = 7 + (head < 100 ? 2 : head < 1000 ? 3 : head < 10000 ? 4 : 5);
            StationTextBackward(thousandths, false, to + length);
            return to + length;
        }
    }
    return PutOtherShortStationText(to, station);
}

// IsAreaMaskText for a text of four to nine characters, its bytes tested
// eight at a time: "-", digits without a leading zero, a point and two
// decimals, and not "-0.00". `last` gets the last eight characters of the
// text right-aligned in nine (blanks before a shorter text), a word whose
// lowest byte comes first.
inline bool IsShortAreaMaskText(std::string_view text, std::uint64_t& last)
{
    const char* const t = text.data();
    const std::size_t n = text.size();
    if (n >= 8) {
        last = LowFirstWord<std::uint64_t>(t + n - 8);
    } else {
        // Two overlapping blocks of four (where they overlap they hold the
        // same bytes) after 8 - n blanks.
        const auto head = LowFirstWord<std::uint32_t>(t), tail = LowFirstWord<std::uint32_t>(t + n - 4);
        last = (std::uint64_t{tail} << 32) | (std::uint64_t{head} << (8 * (8 - n))) | (0x2020202020202020 >> (8 * n));
    }
    // The point before the last two bytes, then digits only (the point taken for one).
    constexpr std::uint64_t PointByte = std::uint64_t{0xFF} << 40;
    if ((last & PointByte) != std::uint64_t{'.'} << 40) return false;
    const std::uint64_t digits = (last & ~PointByte) | (std::uint64_t{'0'} << 40);
    // A byte is a digit when its high half is 3 and its low half below 10.
    constexpr std::uint64_t High = 0xF0F0F0F0F0F0F0F0, Low = 0x0F0F0F0F0F0F0F0F;
    const std::uint64_t notDigit = ((digits & High) ^ 0x3030303030303030) | (((digits & Low) + 0x0606060606060606) & High);
    const bool negative = t[0] == '-';
    const std::size_t integerDigits = n - 3 - (negative ? 1 : 0);
    if (integerDigits == 0) return false;
    // The integer digits stand from byte 5 - integerDigits of the word on;
    // six of them start one character before it.
    if (notDigit >> (8 * (integerDigits < 6 ? 5 - integerDigits : 0)) != 0) return false;
    if (integerDigits == 6 && static_cast<unsigned>(t[0] - '0') > 9) return false;
    if (integerDigits > 1 && t[negative ? 1 : 0] == '0') return false;
    // The mask gives no "-" to zero.
    return !(negative && integerDigits == 1 && t[1] == '0' && t[n - 2] == '0' && t[n - 1] == '0');
}

// `Blanks` blanks and an area cell's text right-aligned in nine characters
// when the text is its own mask (then N(text) is the text itself);
// nullptr otherwise. Room as PutShortNumberField.
template <std::size_t Blanks = 0>
[[gnu::always_inline]] inline char* PutShortAreaField(char* to, std::string_view text)
{
    constexpr std::size_t End = Blanks + 9;
    const std::size_t n = text.size();
    // Half the area cells of a sheet are zero.
    if (n == 4 && std::memcmp(text.data(), "0.00", 4) == 0) return PutShortNumberField<Blanks>(to, 0.0);
    std::uint64_t last = 0;
    if (n < 4 || n > 9 || !IsShortAreaMaskText(text, last)) return nullptr;
    std::memcpy(to, BlankFieldCopy + FieldCopySkip<Blanks>, 16);
    PutLowFirstWord(to + End - 8, last);
    if (n == 9) to[Blanks] = text[0];
    return to + End;
}

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
        // Most fields of a row are short values: written straight into the buffer.
        if (!isLong_ && size_ + 17 <= sizeof buffer_) {
            if (char* end = PutShortNumberField(buffer_ + size_, value)) {
                size_ = static_cast<std::size_t>(end - buffer_);
                return;
            }
        }
        OtherNumberField(value);
    }
    void NumberField(std::string_view text)
    {
        if (!isLong_ && size_ + 17 <= sizeof buffer_) {
            if (PutShortAreaField(buffer_ + size_, text)) {
                size_ += 9;
                return;
            }
        }
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
    void OtherNumberField(double value);
    void LongPut(std::string_view text);
    void LongBlanks(std::size_t count);
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
