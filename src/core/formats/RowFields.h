#pragma once
// Splitting a row line of a sheet document into its six fields. SplitRowLine
// is the plain split, byte by byte, for every line and every layout; it is
// what the fast split of the program's own rows (WrittenRow.h) is checked
// against. GetParameters tries the fast split first.
#include "formats/WrittenRow.h"
#include "model/SheetStore.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mardex {

// Station, code, cut area, added cut, fill area, added fill. A field is kept
// whole: cutting it to its 15 characters would change the document silently.
using RowFields = std::array<std::string, 6>;

// A row line's fields as the reader stores them: views into the line, or into
// texts of its own for a field that had to be masked (or had a tab in it).
// Not copyable, since the views may point into the object itself.
struct RowTexts {
    std::array<std::string_view, 6> texts;
    // The number each field's text reads as (StationToNumber), for the sheet.
    std::array<double, 6> values{};
    bool complete = true;  // false when the line had fewer fields than its layout
    std::string_view line;  // the line split (most texts are views into it)

    RowTexts() = default;
    RowTexts(const RowTexts&) = delete;
    RowTexts& operator=(const RowTexts&) = delete;

    // The text of its own for `column`; made only when a row needs one.
    std::string& Own(int column)
    {
        if (!built_) built_.emplace();
        allInLine = false;
        return (*built_)[static_cast<std::size_t>(column)];
    }

    // Every text is a view into the line (none masked, none missing).
    bool allInLine = true;

private:
    std::optional<std::array<std::string, 6>> built_;
};

// The same fields as texts of their own, for a caller that keeps them.
struct SplitRow {
    RowFields fields;
    std::array<double, 6> values{};
    bool complete = true;
};

// separatorMode 1 splits at blanks, 0 at commas; a tab counts as a blank.
// The current layout has six fields; the older one (legacyFormat 1) five,
// without the code, which becomes "-". The fields present fill the first
// slots in order. Station and quantities that read as numbers are formatted
// with their masks (AreaFieldText for quantities); other texts stay as they are.
// (Inline: rows the program wrote, most of a document, are told in one
// pass without a call more.)
void SplitRowLine(std::string_view line, int separatorMode, int16_t legacyFormat, RowTexts& row);
inline void GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat, RowTexts& row)
{
    if (separatorMode == 1 && legacyFormat != 1 && SplitWrittenRow(line, row)) return;
    SplitRowLine(line, separatorMode, legacyFormat, row);
}
SplitRow GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat);

// Stores the fields in row `rowIndex` of the sheet, then moves the row
// index on and marks that a row was read.
// (Inline: it runs for every row of a document.)
inline void StoreStationValue(Sheet& sheet, const RowTexts& row, int& rowIndex, int& rowsRead)
{
    if (row.allInLine) sheet.SetLineRow(rowIndex, row.line, row.texts, row.values);
    else sheet.SetRow(rowIndex, row.texts, row.values, row.line);
    ++rowIndex;
    rowsRead = 1;
}

} // namespace mardex
