#include "app/CombinedReport.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/EarthworkComputation.h"
#include "app/LogReport.h"
#include "app/ReportFile.h"


namespace mardex {

bool BuildCombinedReport(Session& s, SheetFault onFault, const ReportTarget& target)
{
    std::string error;
    const auto path = ReportPathOf(s, target, error);
    if (!path) {
        s.ask.Message(error);
        return false;
    }
    // Sections are built in memory and written once: a run that fails leaves
    // the old file as it was, and no section is read back while the next is built.
    std::string text;
    for (int i = 0; i < s.doc.SheetCount; ++i) {
        s.report.AppendToReport = i != 0;
        s.doc.CurrentSheet = static_cast<int16_t>(i);
        // While a log is open each section is the log report of that baseline.
        const bool built =
            s.doc.LogMode
                ? Guarded(s.ask, "Program Error: ", " occured in CreateGeopakLogReport",
                          [&] { AppendGeopakLogReport(s, text); })
                : Guarded(s.ask, "Program Error: ", " occured in CreateTempRptFile",
                          [&] { AppendSheetReport(s, text); });
        s.report.AppendToReport = false;
        s.report.ResetGrandTotals();
        if (!built && onFault == SheetFault::FailRun) return false;
    }
    if (!WriteReportText(*path, text, false, error, s.writer->failAfterBytes)) {
        s.ask.Message(error);
        return false;
    }
    s.report.ReportLineCount = static_cast<int32_t>(AllLines(text) - 20);
    s.report.TotalPages = PagesForDrawnLines(DrawnLines(text));
    return true;
}

} // namespace mardex
