#include "app/EarthworkComputation.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "compute/SheetComputation.h"
#include "compute/SheetReportWriter.h"
#include "app/ReportFile.h"
#include "app/TabStrip.h"
#include "text/NumberText.h"

#include <cstdio>

namespace mardex {

ReportHeading HeadingOf(const Session& s)
{
    ReportHeading h;
    h.descriptionFields = s.doc.DescriptionFields;
    h.tabCaption = CaptionOfTab(s, s.doc.CurrentSheet, s.store[s.doc.CurrentSheet].TabName);
    h.units = UnitOfNumber(s.doc.UnitSystem);
    h.embankment = s.form.embankmentCheck;
    return h;
}

std::optional<SheetComputation> ComputeCurrentSheet(Session& s, ReportMode mode)
{
    SheetComputation computed = ComputeSheet(s.store[s.doc.CurrentSheet], UnitOfNumber(s.doc.UnitSystem), mode);
    for (const std::string& message : computed.messages) s.ask.Message(message);
    const bool built = Guarded(s.ask, "Program Error: ", " occured in CreateTempRptFile", [&] {
        if (!computed.ok()) throw RuntimeFault(computed.fault);
    });
    if (!built) return std::nullopt;
    return computed;
}

void AppendSheetReport(Session& s, std::string& out)
{
    const SheetComputation c = ComputeSheet(s.store[s.doc.CurrentSheet], UnitOfNumber(s.doc.UnitSystem),
                                            s.report.AccumulatedMode);
    for (const std::string& message : c.messages) s.ask.Message(message);
    ReportState& g = s.report;
    g.ReportLineCount = c.reportLineCount;
    if (!c.ok()) throw RuntimeFault(c.fault);
    g.UnadjustedExcavation += c.totals.unadjustedExcavation;
    g.AdjustedExcavation += c.totals.adjustedExcavation;
    g.UnadjustedFill += c.totals.unadjustedFill;
    g.AdjustedFill += c.totals.adjustedFill;
    WriteSheetReport(out, c, HeadingOf(s),
                     {g.UnadjustedExcavation, g.AdjustedExcavation, g.UnadjustedFill, g.AdjustedFill});
}

bool CreateTempRptFile(Session& s, const ReportTarget& target)
{
    if (ToUpper(s.doc.CurrentFileName) == "UNTITLED") {
        s.ask.Message(UntitledReportMessage);
        return false;
    }
    std::string error;
    const auto path = ReportPathOf(s, target, error);
    if (!path) {
        s.ask.Message(error);
        return false;
    }
    const bool append = s.report.AppendToReport;
    std::string text;
    const bool built = Guarded(s.ask, "Program Error: ", " occured in CreateTempRptFile",
                               [&] { AppendSheetReport(s, text); });
    s.report.AppendToReport = false;
    // A report that could not be built or written leaves the old file as it was.
    if (!built) return false;
    if (!WriteReportText(*path, text, append, error, s.writer->failAfterBytes)) {
        s.ask.Message(error);
        return false;
    }
    CountNumberOfPages(s, *path);
    return true;
}

} // namespace mardex
