#pragma once
// One sheet as CSV: a header line, then one line per row with the six cell
// texts as the store keeps them.
#include "formats/ImportedDocument.h"
#include "model/SheetStore.h"

#include <string>
#include <string_view>

namespace mardex {

inline constexpr std::string_view SheetCsvHeader = "station,code,cut_area,added_cut,fill_area,added_fill";

// The rows up to the end marker, CR LF line ends.
std::string SheetToCsv(const Sheet& sheet);

// A sheet from CSV: with the header (or one naming the same columns by
// meaning, in any case and order) or without one (when the first field is
// a station), comma, semicolon (a "," is then a decimal comma) or tab
// separated, UTF-8 or UTF-16. Every cell passes the checks of typing:
// stations and numbers of digits with at most one "+" and one ".",
// stations in order (but for the back and ahead rows of an equation),
// codes from the grid's list, or a code word a stored document holds. The
// header alone is an empty sheet. The first bad cell refuses the whole
// file, with its line and column; reading stops at the first row past the
// row limit.
ImportResult ReadSheetCsv(std::string_view bytes, const std::string& file, int unitSystem, const std::string& tabName);
// The sheet is named after the file (without its extension, 20 characters).
ImportResult ReadSheetCsvFile(const std::string& path, int unitSystem);

bool IsCsvName(const std::string& path);

} // namespace mardex
