#include "formats/RowFields.h"

#include "text/AreaText.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace mardex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The blank runs that line up the columns are most of a row line: they and
// the fields are scanned eight bytes at a time where the byte order allows.
constexpr bool WordScan = std::endian::native == std::endian::little;
constexpr std::uint64_t EachByte = 0x0101010101010101ULL;

std::uint64_t Word(const char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// The high bit of each zero byte of w; the lowest one set marks the first
// zero byte (bits above it may be set wrongly, which is never looked at).
std::uint64_t ZeroBytes(std::uint64_t w) { return (w - EachByte) & ~w & (EachByte * 0x80); }

const char* SkipBlanks(const char* p, const char* end)
{
    if constexpr (WordScan) {
        while (end - p >= 8) {
            const std::uint64_t notSpace = Word(p) ^ (EachByte * ' ');
            if (notSpace == 0) {
                p += 8;
                continue;
            }
            p += std::countr_zero(notSpace) / 8;
            if (*p != '\t') return p;
            ++p;
        }
    }
    while (p < end && IsBlank(*p)) ++p;
    return p;
}

const char* NextBlank(const char* p, const char* end)
{
    if constexpr (WordScan) {
        while (end - p >= 8) {
            const std::uint64_t w = Word(p);
            const std::uint64_t blanks = ZeroBytes(w ^ (EachByte * ' ')) | ZeroBytes(w ^ (EachByte * '\t'));
            if (blanks != 0) return p + std::countr_zero(blanks) / 8;
            p += 8;
        }
    }
    while (p < end && !IsBlank(*p)) ++p;
    return p;
}

using FieldViews = std::array<std::string_view, 6>;

// Fields at runs of blanks. A line that begins with blanks would otherwise
// give an empty station and shift every field; the writer never writes such
// lines. The last field is the whole remaining text (it may hold blanks).
int SplitAtBlanks(std::string_view line, int expected, FieldViews& found)
{
    const char* p = line.data();
    const char* end = p + line.size();
    while (end > p && IsBlank(end[-1])) --end;
    int count = 0;
    while (count < expected && (p = SkipBlanks(p, end)) < end) {
        const char* stop = count == expected - 1 ? end : NextBlank(p, end);
        found[count++] = std::string_view(p, static_cast<std::size_t>(stop - p));
        p = stop;
    }
    return count;
}

// Fields at commas, blanks around them dropped; runs of commas count as one.
int SplitAtCommas(std::string_view line, int expected, FieldViews& found)
{
    std::size_t begin = 0, end = line.size();
    while (begin < end && IsBlank(line[begin])) ++begin;
    while (end > begin && IsBlank(line[end - 1])) --end;
    std::string_view rest = line.substr(begin, end - begin);
    int count = 0;
    while (count < expected && !rest.empty()) {
        if (count == expected - 1) {
            found[count++] = rest;
            break;
        }
        const std::size_t stop = std::min(rest.find(','), rest.size());
        found[count++] = TrimmedView(rest.substr(0, stop));
        rest.remove_prefix(stop);
        while (!rest.empty() && (rest.front() == ',' || IsBlank(rest.front()))) rest.remove_prefix(1);
    }
    return count;
}

// The code column holds "-", AH, BK, FB or SA: a text without a digit reads as 0.
double CodeValue(std::string_view code)
{
    return std::any_of(code.begin(), code.end(), IsDigit) ? StationToNumber(code) : 0;
}

} // namespace

void GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat, RowTexts& row)
{
    auto& texts = row.texts;
    const int expected = legacyFormat == 1 ? 5 : 6;
    const int count = separatorMode == 1 ? SplitAtBlanks(line, expected, texts) : SplitAtCommas(line, expected, texts);
    std::fill(texts.begin() + count, texts.end(), std::string_view());
    row.complete = count == expected;
    if (legacyFormat == 1) {
        for (int c = ColAddedFill; c > ColCode; --c) texts[c] = texts[c - 1];
        texts[ColCode] = "-";
    }

    // Texts the program wrote are in their masks already: they are stored as
    // they stand, their values read while they are checked.
    if (!IsStationMaskText(texts[ColStation], row.values[ColStation])) {
        std::string& own = row.Own(ColStation);
        own = FormatStationText(texts[ColStation]);
        texts[ColStation] = own;
        row.values[ColStation] = StationToNumber(own);
    }
    row.values[ColCode] = CodeValue(texts[ColCode]);
    for (int c = ColCut; c <= ColAddedFill; ++c) {
        if (IsAreaMaskText(texts[c], row.values[c])) continue;
        std::string& own = row.Own(c);
        own = texts[c];
        // The last field always lands in the last column; a tab in it is kept as a blank.
        if (c == ColAddedFill && row.complete) std::replace(own.begin(), own.end(), '\t', ' ');
        own = AreaFieldText(own);
        texts[c] = own;
        row.values[c] = StationToNumber(own);
    }
}

SplitRow GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat)
{
    RowTexts texts;
    GetParameters(line, separatorMode, legacyFormat, texts);
    SplitRow row;
    for (int c = 0; c < ColumnCount; ++c) row.fields[c].assign(texts.texts[c]);
    row.values = texts.values;
    row.complete = texts.complete;
    return row;
}

void StoreStationValue(Sheet& sheet, const RowTexts& row, int& rowIndex, int& rowsRead)
{
    sheet.SetRow(rowIndex, row.texts, row.values);
    ++rowIndex;
    rowsRead = 1;
}

} // namespace mardex
