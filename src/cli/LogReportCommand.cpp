#include "cli/LogReportCommand.h"

#include "app/Session.h"
#include "app/ReportCommands.h"
#include "app/GeopakLog.h"
#include "app/LogReport.h"

namespace mardex::cli {

// Open wrote only the companion: the one report file is written here.
bool BuildLogReportForTool(Session& s, const ToolOptions& options, const ReportTarget& target)
{
    return options.accumulated ? BuildAccumulatedReport(s, target) : BuildTotalReport(s, target);
}

} // namespace mardex::cli
