// libFuzzer target: the fast paths against the plain ones. Every input
// line, and the first six laid out as the writer lays out a row, go through
// the fast row split and the plain one: a line the fast split takes gets the
// same texts at the same places, the same values and flags. Every line as an
// area text, and the numbers it gives (its value, its bytes as a double and
// as a 32-bit whole number), go through the fast report fields, each in a
// buffer of exactly the room it states, and the plain ones: a fast field is
// the plain one or nothing.
#include "formats/RowFields.h"
#include "formats/RowLayout.h"
#include "formats/WrittenRow.h"
#include "text/NumberText.h"
#include "text/ReportFields.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace mardex;

void Check(bool condition)
{
    if (!condition) std::abort();
}

void CompareSplits(std::string_view line)
{
    RowTexts fast, plain;
    SplitRowLine(line, 1, 0, plain);
    if (!SplitWrittenRow(line, fast)) return;
    Check(fast.complete == plain.complete && fast.allInLine == plain.allInLine && plain.allInLine);
    Check(fast.line.data() == line.data() && fast.line.size() == line.size());
    for (std::size_t c = 0; c < fast.texts.size(); ++c) {
        // The sheet keeps a row by the texts' places in its line.
        Check(fast.texts[c].data() == plain.texts[c].data() && fast.texts[c].size() == plain.texts[c].size());
        Check(std::memcmp(&fast.values[c], &plain.values[c], sizeof(double)) == 0);
    }
}

// A fast field written into `Room` bytes of its own: its text, or "" when it
// wrote nothing to keep.
template <std::size_t Room, class Put>
std::string FastField(Put put)
{
    const auto room = std::make_unique<char[]>(Room);
    const char* const start = room.get();
    const char* const end = put(room.get());
    return end ? std::string(start, end) : std::string();
}

template <std::size_t Blanks>
void CompareFields(double value, std::string_view text)
{
    const std::string blanks(Blanks, ' ');
    constexpr std::size_t Room = Blanks + 17;
    if (const std::string fast = FastField<Room>([value](char* to) { return PutShortNumberField<Blanks>(to, value); });
        !fast.empty())
        Check(fast == blanks + NumberField(value));
    if (const std::string fast = FastField<Room>([text](char* to) { return PutShortAreaField<Blanks>(to, text); });
        !fast.empty())
        Check(fast == blanks + NumberField(text));
}

template <std::size_t Blanks>
void CompareWholeField(std::int32_t value)
{
    const std::string fast =
        FastField<Blanks + 17>([value](char* to) { return PutShortNumberField<Blanks>(to, value); });
    Check(fast == std::string(Blanks, ' ') + NumberField(static_cast<double>(value)));
}

// The same value through all the fast fields; `line` and `appended` grow by
// the same fields through FieldLine and the plain appends.
void CompareValue(double value, std::string_view text, FieldLine& line, std::string& appended)
{
    CompareFields<0>(value, text);
    CompareFields<1>(value, text);
    CompareFields<2>(value, text);
    if (const std::string fast = FastField<18>([value](char* to) { return PutShortStationText(to, value); });
        !fast.empty())
        Check(fast == StationField(value));
    line.Blanks(2);
    line.NumberField(value);
    line.NumberField(text);
    appended.append(2, ' ');
    AppendNumberField(appended, value);
    AppendNumberField(appended, text);
}

void CompareText(std::string_view text, FieldLine& line, std::string& appended)
{
    if (text.size() >= 4 && text.size() <= 9) {
        std::uint64_t last = 0;
        Check(IsShortAreaMaskText(text, last) == IsAreaMaskText(text));
    }
    CompareValue(ParseNumber(text).value_or(0), text, line, appended);
    if (text.size() >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, text.data(), sizeof raw);
        CompareValue(raw, text, line, appended);
    }
    if (text.size() >= sizeof(std::int32_t)) {
        std::int32_t whole;
        std::memcpy(&whole, text.data(), sizeof whole);
        CompareWholeField<0>(whole);
        CompareWholeField<2>(whole);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= input.size() && lines.size() < 64;) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    std::array<std::string_view, ColumnCount> cells{};
    for (std::size_t c = 0; c < cells.size() && c < lines.size(); ++c) cells[c] = lines[c];
    const std::string written = WrittenRowLine(cells);
    CompareSplits(written);

    FieldLine line;
    std::string appended;
    for (std::string_view text : lines) {
        CompareSplits(text);
        CompareText(text, line, appended);
    }
    std::string built;
    line.AppendTo(built, ReportLineEnd);
    Check(built == appended + std::string(ReportLineEnd));
    return 0;
}
