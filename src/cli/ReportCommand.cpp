// mardex-report DOCUMENT: the report the window builds for a document or log:
// File > Open, a click on the tab, then Print Preview > Total or Accumulated
// (or the report step of the Stickup Sheets button for --all-sheets).
#include "app/Session.h"
#include "app/TabStrip.h"
#include "cli/Commands.h"
#include "cli/PdfOutput.h"
#include "cli/LogReport.h"
#include "cli/LogReportCommand.h"
#include "cli/SheetReport.h"
#include "cli/ToolSession.h"
#include "app/CombinedReport.h"
#include "app/PageRendering.h"
#include "app/ReportCommands.h"

#include <iostream>

namespace mardex::cli {

namespace {

// The report of a sheet document; true when the report file was written.
bool BuildSheetReport(Session& s, const ToolOptions& options, const ReportTarget& target, std::string& why)
{
    if (options.allSheets) {
        // The Stickup Sheets button's report step: every sheet, Total, one file.
        s.report.AccumulatedMode = ReportMode::Total;
        s.report.ReportLineCount = 0;
        return BuildCombinedReport(s, SheetFault::FailRun, target);
    }
    if (options.sheet > s.doc.SheetCount) {
        why = "has no sheet " + std::to_string(options.sheet) + " (it has " + std::to_string(s.doc.SheetCount) + ")";
        return false;
    }
    ClickTab(s, options.sheet);
    return options.accumulated ? BuildAccumulatedReport(s, target) : BuildTotalReport(s, target);
}

} // namespace

void ClickTab(Session& s, int n)
{
    s.form.SelectedTab = n - 1;
    TabStrip1_MouseUp(s, LeftButton, 0, 0, 0);
}

int RunReport(const ToolOptions& options)
{
    const std::string document = AbsolutePath(options.document);
    std::string why;
    if (!OutputsAreNotInputs(options, why)) return CliPrompter::Fail(why);
    // A sheet document or a GEOPAK log is read, computed, written and drawn
    // by the data layer alone; a file of another program still goes through
    // the window's session.
    if (IsSheetDocument(document)) return RunSheetReport(options, document);
    if (IsLogDocument(document)) return RunLogReport(options, document);

    ToolSession tool;
    Session& s = tool.s;
    if (!tool.Open(document, options, why)) return CliPrompter::Fail(why);
    const ReportTarget target{options.output.empty() ? std::string() : AbsolutePath(options.output)};

    bool built = false;
    if (s.doc.LogMode) {
        // Log branch: a GEOPAK log is reported by the log report.
        built = BuildLogReportForTool(s, options, target);
    } else {
        built = BuildSheetReport(s, options, target, why);
    }

    const std::string report = ReportFileName(s, target);
    // A run that fails has written nothing: the old report stays as it was.
    if (!built) return CliPrompter::Fail(document + ": " + (why.empty() ? "no report was written" : why));

    // --pdf and --print: the finished report drawn with the window's heading.
    if (RenderRequestedOutputs(options, PageHeadingOf(s), report) != 0) return 1;

    std::cout << report << ": " << s.report.TotalPages << " pages\n";
    return 0;
}

} // namespace mardex::cli
