#pragma once
// The report of every sheet in one file, as the Stickup Sheets command
// builds it before drawing.
#include "app/ReportFile.h"

namespace mardex {

class Session;

enum class SheetFault {
    SkipSheet,  // the window: the sheet's message, then on with the next sheet
    FailRun,    // the tool: the whole run fails and no file is written
};

// Builds the sections of sheets 0 .. SheetCount-1 in order (Total mode is
// the caller's: AccumulatedMode and the untitled check come before), each
// with CurrentSheet set to it and AppendToReport set from the second on, the
// grand totals reset after each; writes them as the target's report file; then
// ReportLineCount := the file's line count - 20 and the page count.
// CurrentSheet is left at the last sheet. True when the file was written.
bool BuildCombinedReport(Session& s, SheetFault onFault, const ReportTarget& target);

} // namespace mardex
