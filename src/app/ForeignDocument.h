#pragma once
// Files of other programs opened or imported as sheets: LandXML cross
// sections (.xml, .landxml) and CSV sheets (.csv).
#include "formats/ImportedDocument.h"

#include <cstdint>
#include <optional>
#include <functional>
#include <string>

namespace mardex {

class Session;

bool IsForeignDocumentName(const std::string& path);

// Reads the file, asking for the surfaces of a LandXML file when it needs
// them; a CSV sheet is taken in `csvUnitSystem`. A refused file has its
// message shown and gives nullopt; nothing of the session has changed.
std::optional<ImportedDocument> ReadForeignDocument(Session& s, const std::string& path, int csvUnitSystem);

// File > Open: the sheets become a new untitled document whose caption
// names the file it came from (Save asks for a name).
void ShowForeignDocument(Session& s, const ImportedDocument& read, const std::string& path);

// File > Import: the sheets go after the last tab. 1, with the message
// shown and nothing changed, when they would make more than 26 sheets or
// bring other units than the document's rows have.
int16_t AppendForeignDocument(Session& s, const ImportedDocument& read, const std::string& path);

// File > Export > Sheet as CSV: asks for a name and writes the current sheet.
void mnuExportSheetCsv_Click(Session& s);
// The current sheet written to `path`; false with `error` naming the file.
bool WriteSheetCsv(Session& s, const std::string& path, std::string& error);

// The Export menu's flow: a save dialog for a CSV file, then write(path,
// error); says where it was saved, or the error (an empty error: the writer
// has shown its own message). `handler` names the menu handler in the
// program error message.
void ExportCsvThroughDialog(Session& s, const std::string& handler,
                            const std::function<bool(const std::string&, std::string&)>& write);

} // namespace mardex
