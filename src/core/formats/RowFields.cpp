#include "formats/RowFields.h"

#include "text/AreaText.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

#include <algorithm>

namespace mardex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipBlanks(const char* p, const char* end)
{
    while (p < end && IsBlank(*p)) ++p;
    return p;
}

const char* NextBlank(const char* p, const char* end)
{
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

void SplitRowLine(std::string_view line, int separatorMode, int16_t legacyFormat, RowTexts& row)
{
    auto& texts = row.texts;
    row.line = line;
    const int expected = legacyFormat == 1 ? 5 : 6;
    const int count = separatorMode == 1 ? SplitAtBlanks(line, expected, texts) : SplitAtCommas(line, expected, texts);
    std::fill(texts.begin() + count, texts.end(), std::string_view());
    row.complete = count == expected;
    row.allInLine = row.complete && legacyFormat != 1 && separatorMode == 1;
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
#pragma GCC unroll 4
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

} // namespace mardex
