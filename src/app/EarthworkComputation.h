#pragma once
// The report of the current sheet: its computation, written with what the
// window shows.
#include "app/ReportFile.h"
#include "compute/SheetReportWriter.h"

#include <optional>
#include <string>

namespace mardex {

class Session;

// What the report of the current sheet prints besides its computation: the
// description fields, the selected tab's caption and the check box as shown.
ReportHeading HeadingOf(const Session& s);

// The current sheet computed as its report computes it, after the messages
// the computation shows; nullopt, after the report's own message, when it
// faults.
std::optional<SheetComputation> ComputeCurrentSheet(Session& s, ReportMode mode);

// The report section of the current sheet appended to `out`: metadata, rows,
// grand summary. Updates ReportLineCount and the grand totals; throws a
// RuntimeFault (grand totals restored) on a fault of the computation.
void AppendSheetReport(Session& s, std::string& out);

// The whole command: the untitled check, the target's report file created (or
// appended to when AppendToReport is set), AppendToReport cleared, the page
// count. True when the report file was written; on a fault the standard
// message is shown and no report of this sheet is left behind.
bool CreateTempRptFile(Session& s, const ReportTarget& target);

inline const std::string UntitledReportMessage =
    "There is no active data to create sheets with, you must first open a file. "
    "Or if you have typed in some numbers Please save it to a file";

} // namespace mardex
