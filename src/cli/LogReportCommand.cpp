#include "cli/LogReportCommand.h"

#include "app/Session.h"
#include "app/GeopakLog.h"
#include "app/LogReport.h"
#include "app/ReportCommands.h"

#include <filesystem>

namespace mardex::cli {

bool BuildLogReportForTool(Session& s, const ToolOptions& options)
{
    // Where Open wrote its report: the report folder, as no --output applied then.
    std::optional<std::string> openReport;
    if (const auto base = LogBaseName(s.doc.CurrentFileName)) openReport = s.doc.ReportFolder + *base + ".rpt";

    const bool built = options.accumulated ? BuildAccumulatedReport(s) : BuildTotalReport(s);

    const auto finalReport = LogReportFileName(s);
    std::error_code ec;
    if (openReport && (!built || !finalReport || *openReport != *finalReport))
        std::filesystem::remove(*openReport, ec);
    return built;
}

} // namespace mardex::cli
