#pragma once
// The text of a sheet's report section from its computation: the six "#"
// lines, the rows and events, the grand summary. CR LF line ends.
#include "compute/ReportCursor.h"
#include "compute/SheetComputation.h"

#include <array>
#include <cstdint>
#include <string>

namespace mardex {

// What the report prints besides the computation; the window passes what it
// shows (the tab's caption, the check box), not what the document stores.
struct ReportHeading {
    std::array<std::string, 3> descriptionFields;  // designer, project no., control no.
    std::string tabCaption;
    UnitSystem units = UnitSystem::English;
    // "Earthwork measured in Embankment" as shown: 0 or 1, or whatever other
    // number the document stored for the sheet (the line prints it as it is).
    int embankment = 0;
};

// Appends the section of `c` to `out`. `grandTotals` are the totals the grand
// summary prints (the sheet's own, plus whatever the caller carries over).
// Returns the section's drawn lines (DrawnLines), counted as they are written.
int64_t WriteSheetReport(std::string& out, const SheetComputation& c, const ReportHeading& heading,
                         const SheetTotals& grandTotals);

// The same section computed and written in one pass, for a report that needs
// nothing else of the computation: each item is written as it is made and
// none is kept (`computed` gets the rest, its own totals printed in the
// summary). With a drain, the text written so far, what `out` held before
// included, is handed on in pieces of whole lines and `out` keeps the rest.
// After a fault (!computed.ok()) the section stops short: the report is to
// be dropped.
int64_t ComputeAndWriteSheetReport(std::string& out, const Sheet& sheet, ReportMode mode,
                                   const ReportHeading& heading, SheetComputation& computed,
                                   ReportDrain* drain = nullptr);

} // namespace mardex
