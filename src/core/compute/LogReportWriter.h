#pragma once
// The report of a GEOPAK log: GEOPAK's own quantities copied into the
// report's fields, and the rows of its companion sheet document.
#include "compute/SheetReportWriter.h"

#include <string>
#include <vector>

namespace mardex {

struct SheetLog;

struct LogReportText {
    std::string report;                      // the section, CR LF line ends
    std::vector<std::string> companionRows;  // row lines in the sheet document's layout
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
