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
bool BuildReport(Session& s, const ReportTarget& target)
{
    // Log branch: while LogMode is set the log report builds the file.
    if (s.doc.LogMode) return CreateGeopakLogReport(s, target);
    return CreateTempRptFile(s, target);
}
} // namespace

bool BuildTotalReport(Session& s, const ReportTarget& target)
{
    s.report.AccumulatedMode = ReportMode::Total;
    return BuildReport(s, target);
}

bool BuildAccumulatedReport(Session& s, const ReportTarget& target)
{
    s.report.AccumulatedMode = ReportMode::Accumulated;
    // Log branch: a log without accumulated quantities is refused here.
    if (s.doc.LogMode) return BuildLogReport(s, true, target);
    return BuildReport(s, target);
}

// A report that could not be built opens no preview: the file on disk is
// still the previous report, which must not be shown as if it were this one.
void mnuTotal_Click(Session& s)
{
    if (BuildTotalReport(s, WindowReport)) s.hooks->ShowPreview();
}

void mnuAccumulated_Click(Session& s)
{
    // A log without accumulated quantities is refused and opens no preview.
    if (BuildAccumulatedReport(s, WindowReport)) s.hooks->ShowPreview();
}

std::string ReportFileName(const Session& s, const ReportTarget& target)
{
    std::string error;
    if (auto path = ReportPathOf(s, target, error)) return *path;
    // A name without "." has no report file of its own; readers find none here.
    return s.doc.ReportFolder + StripFile(s.doc.CurrentFileName) + ".rpt";
}

} // namespace mardex
