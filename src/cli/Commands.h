#pragma once
// The tool's commands; each returns the process exit status.
#include "cli/ToolOptions.h"

namespace mardex { class Session; }

namespace mardex::cli {

int RunReport(const ToolOptions& options);   // report of a document or log (--pdf too)
int RunSaveAs(const ToolOptions& options);   // --save-as
int RunStickup(const ToolOptions& options);  // --stickup
int RunExportCsv(const ToolOptions& options);  // --export-csv
int RunReportCsv(const ToolOptions& options);  // --report-csv
int RunHaul(const ToolOptions& options);     // --haul-table, --mass-haul

// A left click on tab n (1-based).
void ClickTab(Session& s, int n);

// The folder of the running executable (for mardex3.ini and the shipped border).
std::string ExecutableFolder();

} // namespace mardex::cli
