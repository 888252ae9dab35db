#pragma once
// The tool on GEOPAK logs: after File > Open of DOCUMENT, the final Total or
// Accumulated command on the log's baseline.
#include "app/ReportFile.h"
#include "cli/ToolOptions.h"

#include <string>

namespace mardex {
class Session;
}

namespace mardex::cli {

// Builds the log's report as Total or Accumulated does (the tool's Open
// writes the companion only). False (after the message) when no report was
// written, e.g. the Accumulated refusal.
bool BuildLogReportForTool(Session& s, const ToolOptions& options, const ReportTarget& target);

} // namespace mardex::cli
