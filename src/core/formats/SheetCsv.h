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

// A sheet from CSV: with the header or without one (when the first field is
// a station), comma, semicolon or tab separated. Every cell passes the
// checks of typing: a station of digits with at most one "+" and one "."
// (an equation's tag letters after it), stations in order (but for the
// back and ahead rows of an equation), a code, numbers. The header alone
// is an empty sheet. The first bad line refuses the
// whole file. Codes of no known kind are kept as written, as a committed
// cell keeps them.
ImportResult ReadSheetCsv(std::string_view bytes, const std::string& file, int unitSystem, const std::string& tabName);
// The sheet is named after the file (without its extension, 20 characters).
ImportResult ReadSheetCsvFile(const std::string& path, int unitSystem);

bool IsCsvName(const std::string& path);

} // namespace mardex
