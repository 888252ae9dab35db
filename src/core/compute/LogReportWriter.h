#pragma once
// The report of a GEOPAK log: GEOPAK's own quantities copied into the
// report's fields, and the rows of its companion sheet document.
#include "compute/SheetReportWriter.h"
#include "model/SheetStore.h"

#include <array>
#include <string>
#include <vector>

namespace mardex {

struct SheetLog;

// One row of the companion sheet document: station, code "-", cut area,
// added cut 0, fill area, added fill 0.
using CompanionCells = std::array<std::string, ColumnCount>;

struct LogReportText {
    std::string report;  // the section, CR LF line ends
    std::vector<CompanionCells> companionRows;
};

// The section of one log. A metric heading gives the metric captions; an
// embankment of 1 empties the fill columns of a Total report.
LogReportText WriteLogReport(const SheetLog& log, const ReportHeading& heading, ReportMode mode);

// The adjustment label of an entry: the Note of the first adjustment whose
// station lies in the entry's interval; empty when none or not a station entry.
std::string InsertBalance(const SheetLog& log, int entry);
// The balance points (in table order) whose stations lie in the entry's
// interval: from its station up to, not including, the next station entry's;
// the last station entry's interval has no upper end.
std::vector<int> BalancePointsOfEntry(const SheetLog& log, int entry);

} // namespace mardex
