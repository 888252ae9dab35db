#include "app/ReportCommands.h"

#include "app/Session.h"
#include "app/EarthworkComputation.h"
#include "app/FileCommands.h"
#include "app/LogReport.h"
#include "app/ReportFile.h"

namespace mardex {

namespace {
// The builder of the current document: the log report while a GEOPAK log is
// open, the sheet computation otherwise.
bool BuildReport(Session& s)
{
    // Log branch: while LogMode is set the log report builds the file.
    if (s.doc.LogMode) return CreateGeopakLogReport(s);
    return CreateTempRptFile(s);
}
} // namespace

bool BuildTotalReport(Session& s)
{
    s.report.AccumulatedMode = ReportMode::Total;
    return BuildReport(s);
}

bool BuildAccumulatedReport(Session& s)
{
    s.report.AccumulatedMode = ReportMode::Accumulated;
    // Log branch: a log without accumulated quantities is refused here.
    if (s.doc.LogMode) return BuildLogReport(s, true);
    return BuildReport(s);
}

// A report that could not be built opens no preview: the file on disk is
// still the previous report, which must not be shown as if it were this one.
void mnuTotal_Click(Session& s)
{
    if (BuildTotalReport(s)) s.hooks->ShowPreview();
}

void mnuAccumulated_Click(Session& s)
{
    // A log without accumulated quantities is refused and opens no preview.
    if (BuildAccumulatedReport(s)) s.hooks->ShowPreview();
}

std::string ReportFileName(Session& s)
{
    std::string error;
    if (auto path = ReportPathOf(s, error)) return *path;
    // A name without "." has no report file of its own; readers find none here.
    return s.doc.ReportFolder + StripFile(s.doc.CurrentFileName) + ".rpt";
}

} // namespace mardex
