#include "formats/RowFields.h"

#include "text/AreaText.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

namespace mardex {

namespace {

std::string_view TrimView(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsSeparator(char c, char separator) { return c == separator || (separator == ' ' && c == '\t'); }

} // namespace

SplitRow GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat)
{
    const char separator = separatorMode == 1 ? ' ' : ',';
    const int expected = legacyFormat == 1 ? 5 : 6;

    // A line that begins with blanks would otherwise give an empty station
    // and shift every field; the writer never writes such lines.
    std::size_t begin = 0, end = line.size();
    while (begin < end && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
    while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    std::string_view rest = line.substr(begin, end - begin);

    // Fields stay views into the line until their masked text is stored.
    std::array<std::string_view, 6> found;
    int count = 0;
    bool lastHasTab = false;
    while (count < expected && !rest.empty()) {
        if (count == expected - 1) {
            // The last field is the whole remaining text (it may hold blanks).
            lastHasTab = rest.find('\t') != std::string_view::npos;
            found[count++] = rest;
            break;
        }
        std::size_t stop = 0;
        while (stop < rest.size() && !IsSeparator(rest[stop], separator)) ++stop;
        found[count++] = TrimView(rest.substr(0, stop));
        rest.remove_prefix(stop);
        while (!rest.empty() && (IsSeparator(rest.front(), separator) || rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
    }
    std::string lastWithBlanks;
    if (lastHasTab) {
        lastWithBlanks.assign(found[count - 1]);
        for (char& c : lastWithBlanks)
            if (c == '\t') c = ' ';
        found[count - 1] = lastWithBlanks;
    }

    SplitRow row;
    row.complete = count == expected;
    std::array<std::string_view, 6> fields = found;
    if (legacyFormat == 1) fields = {found[0], "-", found[1], found[2], found[3], found[4]};
    if (IsStationMaskText(fields[0], row.values[0])) {
        row.fields[0].assign(fields[0]);
    } else {
        row.fields[0] = FormatStationText(fields[0]);
        row.values[0] = StationToNumber(row.fields[0]);
    }
    row.fields[ColCode].assign(fields[ColCode]);
    row.values[ColCode] = StationToNumber(row.fields[ColCode]);
    for (int c = ColCut; c <= ColAddedFill; ++c) {
        if (IsAreaMaskText(fields[c], row.values[c])) {
            row.fields[c].assign(fields[c]);
        } else {
            row.fields[c] = AreaFieldText(fields[c]);
            row.values[c] = StationToNumber(row.fields[c]);
        }
    }
    return row;
}

void StoreStationValue(Sheet& sheet, SplitRow& row, int& rowIndex, int& rowsRead)
{
    sheet.SetRow(rowIndex, row.fields, row.values);
    ++rowIndex;
    rowsRead = 1;
}

} // namespace mardex
