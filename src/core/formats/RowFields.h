#pragma once
// Splitting a row line of a sheet document into its six fields.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mardex {

struct Sheet;

// Station, code, cut area, added cut, fill area, added fill. A field is kept
// whole: cutting it to its 15 characters would change the document silently.
using RowFields = std::array<std::string, 6>;

struct SplitRow {
    RowFields fields;
    // The number each field's text reads as (StationToNumber), for the sheet.
    std::array<double, 6> values{};
    bool complete = true;  // false when the line had fewer fields than its layout
};

// separatorMode 1 splits at blanks, 0 at commas; a tab counts as a blank.
// The current layout has six fields; the older one (legacyFormat 1) five,
// without the code, which becomes "-". The fields present fill the first
// slots in order. Station and quantities that read as numbers are formatted
// with their masks (AreaFieldText for quantities); other texts stay as they are.
SplitRow GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat);

// Stores the fields in row `rowIndex` of the sheet, then moves the row
// index on and marks that a row was read.
// The fields are moved into the sheet.
void StoreStationValue(Sheet& sheet, SplitRow& row, int& rowIndex, int& rowsRead);

} // namespace mardex
