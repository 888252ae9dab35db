// mardex-report --report-csv OUT.csv [--sheet N] DOCUMENT: the figures of
// sheet N's Total report as File > Export > Report table as CSV writes them,
// OUT replaced without a question.
#include "app/ReportTableExport.h"
#include "cli/Commands.h"
#include "cli/ToolSession.h"

#include <iostream>

namespace mardex::cli {

int RunReportCsv(const ToolOptions& options)
{
    ToolSession tool;
    const std::string in = AbsolutePath(options.document);
    if (!tool.OpenSheetOfDocument(in, options)) return 1;
    // As the report: the sheet is shown through its tab first.
    ClickTab(tool.s, options.sheet);
    std::string error;
    const std::string out = AbsolutePath(options.reportCsv);
    if (!WriteReportTableCsv(tool.s, out, error)) {
        // A faulting computation has shown its own message already.
        if (!error.empty()) CliPrompter::Print(error);
        return 1;
    }
    return 0;
}

} // namespace mardex::cli
