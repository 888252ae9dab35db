#pragma once
// The tool's commands; each returns the process exit status.
#include "cli/ToolOptions.h"

namespace mardex::cli {

int RunReport(const ToolOptions& options);   // report of a document or log (--pdf too)
int RunSaveAs(const ToolOptions& options);   // --save-as
int RunStickup(const ToolOptions& options);  // --stickup
int RunExportCsv(const ToolOptions& options);  // --export-csv

// The folder of the running executable (for mardex3.ini and the shipped border).
std::string ExecutableFolder();

} // namespace mardex::cli
