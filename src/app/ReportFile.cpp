#include "app/ReportFile.h"

#include "app/Session.h"
#include "formats/AtomicFile.h"
#include "app/FileCommands.h"
#include "app/LogReport.h"

#include <fstream>
#include <iterator>

namespace mardex {

std::optional<std::string> ReportPathOf(const Session& s, const ReportTarget& target, std::string& error)
{
    if (!target.path.empty()) return target.path;
    // A log's report is named after the log's name up to its ".LOG".
    if (s.doc.LogMode) {
        if (auto path = LogReportFileName(s, target)) return path;
        error = "The report file of \"" + s.doc.CurrentFileName + "\" cannot be named: the log's name has no \".LOG\"";
        return std::nullopt;
    }
    return SheetReportPath(s.doc.ReportFolder, s.doc.CurrentFileName, error);
}

void CountNumberOfPages(Session& s, const std::string& reportPath)
{
    std::ifstream in(reportPath, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    s.report.TotalPages = PagesForDrawnLines(DrawnLines(text));
}

} // namespace mardex
