#pragma once
// The sheet document writer ("[VERSION 2002]" layout, CR LF line ends).
#include <cstdint>
#include <iosfwd>
#include <string>

namespace mardex {

class Session;
struct Sheet;

inline constexpr const char* ColumnHeaderLine =
    "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)";

// One row line of a sheet; empty cells of the row are first set to "0.0" in
// the sheet itself, as the document has always stored them.
std::string RowLine(Sheet& sheet, int row);

// The whole document: header, one block per sheet, "[LAST RECORD]".
void Write2002VersionFile(Session& s, std::ostream& out);
std::string SheetDocumentText(Session& s);

// Writes the document to `path` without any question, replacing the file
// atomically. false with `error` (naming the file) when it could not be
// written; the previous file is then left exactly as it was.
bool Write2002VersionFile(Session& s, const std::string& path, std::string& error);

// Save's writer: asks before overwriting an existing CurrentFileName.
// 0 written, 1 the user declined to overwrite (nothing written),
// 2 the write failed (the message was shown; the old file is untouched).
int16_t Write2002VersionFile(Session& s);

} // namespace mardex
