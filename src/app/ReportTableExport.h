#pragma once
// File > Export > Report table as CSV: the figures of the current sheet's
// Total report, one line per station row and balance point.
#include <string>

namespace mardex {

class Session;

// Asks for a name and writes the table of the current sheet.
void mnuExportReportCsv_Click(Session& s);

// The table of the current sheet written to `path`. False when the
// computation faults (after the report's own message) or the file cannot be
// written (`error` names it); nothing is written then.
bool WriteReportTableCsv(Session& s, const std::string& path, std::string& error);

} // namespace mardex
