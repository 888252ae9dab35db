#include "app/ReportFile.h"

#include "app/Session.h"
#include "formats/AtomicFile.h"
#include "app/FileCommands.h"
#include "app/LogReport.h"
#include "app/ReportCommands.h"

#include <fstream>
#include <iterator>

namespace mardex {

std::optional<std::string> ReportPathOf(const Session& s, std::string& error)
{
    if (!s.report.ReportFileOverride.empty()) return s.report.ReportFileOverride;
    // A log's report is named after the log's name up to its ".LOG".
    if (s.doc.LogMode) {
        if (auto path = LogReportFileName(s)) return path;
        error = "The report file of \"" + s.doc.CurrentFileName + "\" cannot be named: the log's name has no \".LOG\"";
        return std::nullopt;
    }
    return SheetReportPath(s.doc.ReportFolder, s.doc.CurrentFileName, error);
}

void CountNumberOfPages(Session& s)
{
    std::ifstream in(ReportFileName(s), std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    s.report.TotalPages = PagesForDrawnLines(DrawnLines(text));
}

} // namespace mardex
