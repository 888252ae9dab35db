#include "app/LogReport.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "app/DocumentWriter.h"
#include "app/GeopakLog.h"
#include "model/LogTables.h"
#include "compute/LogReportWriter.h"
#include "compute/ReportBlocks.h"
#include "app/ReportFile.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

#include <fstream>
#include <iterator>
#include <limits>

namespace mardex {

namespace {

ReportMode ModeOf(const Session& s)
{
    return s.report.AccumulatedMode == 1 ? ReportMode::Accumulated : ReportMode::Total;
}

// The log report's heading: the tab's caption (none when the strip has no
// such tab) and the check box as 0 or 1.
ReportHeading LogHeadingOf(const Session& s)
{
    ReportHeading h;
    h.descriptionFields = s.doc.DescriptionFields;
    h.tabCaption = CaptionOfTab(s, s.doc.CurrentSheet, "");
    h.units = UnitOfNumber(s.doc.UnitSystem);
    h.embankment = s.form.embankmentCheck == 1 ? 1 : 0;
    return h;
}

// A complete sheet document of the baseline, at most 1800 rows per sheet block.
std::string CompanionDocument(const Session& s, const std::vector<CompanionCells>& rows)
{
    Sheet row;  // one row at a time through the document writer's row layout
    auto rowLine = [&row](const CompanionCells& cells) {
        for (int c = 0; c < ColumnCount; ++c) row.SetCell(c, 0, cells[c]);
        return RowLine(row, 0);
    };
    std::string text;
    auto line = [&](std::string_view l) { AppendLine(text, l); };
    line("[VERSION 2002]");
    line(s.doc.UnitSystem == 1 ? "[METRIC]" : "[ENGLISH]");
    line("");
    line("");
    line("");
    const std::string baseline = Trim(s.doc.BaselineName);
    std::size_t next = 0;
    int block = 0;
    do {
        ++block;
        const std::string name = block == 1 ? baseline : baseline + " (" + std::to_string(block) + ")";
        line("[END AREA " + std::to_string(block) + " " + name + "]");
        line("#BALANCE FACTOR");
        line("1.00");
        line("#MEASURED IN EMBANKMENT");
        line(" 0 ");
        line(ColumnHeaderLine);
        const std::size_t end = std::min(rows.size(), next + MaxDataRows);
        for (; next < end; ++next) line(rowLine(rows[next]));
    } while (next < rows.size() && block < MaxSheets);
    line("[LAST RECORD]");
    return text;
}

} // namespace

std::optional<std::string> LogReportFileName(const Session& s)
{
    if (!s.report.ReportFileOverride.empty()) return s.report.ReportFileOverride;
    const auto base = LogBaseName(s.doc.CurrentFileName);
    if (!base) return std::nullopt;
    return s.doc.ReportFolder + *base + ".rpt";
}

std::optional<std::string> LogCompanionFileName(const std::string& logPath)
{
    const auto base = LogBaseName(logPath);
    if (!base) return std::nullopt;
    return FolderOf(logPath) + *base + ".mdx";
}

bool WriteLogReportText(Session& s, const std::string& text, std::string& error, bool mayAppend)
{
    const auto path = LogReportFileName(s);
    if (!path) {
        error = "Bad file name or number: " + s.doc.CurrentFileName;
        return false;
    }
    return WriteReportText(*path, text, mayAppend && s.report.AppendToReport == 1, error);
}


void AppendGeopakLogReport(Session& s, std::string& text)
{
    const SheetLog& log = s.logs()[s.doc.CurrentSheet];
    const std::string& logPath = log.LogPath.empty() ? s.doc.CurrentFileName : log.LogPath;
    const auto companionPath = LogCompanionFileName(logPath);
    if (!companionPath) throw RuntimeFault("Bad file name or number: " + logPath + " has no \".LOG\"");

    const LogReportText built = WriteLogReport(log, LogHeadingOf(s), ModeOf(s));
    std::string error;
    if (!WriteReportText(*companionPath, CompanionDocument(s, built.companionRows), false, error))
        throw RuntimeFault(error);
    text += built.report;
}

bool CreateGeopakLogReport(Session& s)
{
    return Guarded(s.ask, "Program Error: ", " occured in CreateGeopakLogReport", [&] {
        const auto reportPath = LogReportFileName(s);
        if (!reportPath)
            throw RuntimeFault("Bad file name or number: " + s.doc.CurrentFileName + " has no \".LOG\"");
        std::string text;
        AppendGeopakLogReport(s, text);

        const bool append = s.report.AppendToReport == 1;
        std::string error;
        if (!WriteReportText(*reportPath, text, append, error)) throw RuntimeFault(error);
        s.report.AppendToReport = 0;

        if (append) {
            std::ifstream in(*reportPath, std::ios::binary);
            text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const int64_t lines = AllLines(text) - 8;
        s.report.ReportLineCount = static_cast<int32_t>(std::min<int64_t>(lines, std::numeric_limits<int32_t>::max()));
        s.report.TotalPages = PagesForDrawnLines(DrawnLines(text));
    });
}

bool CurrentLogHasAccumulated(Session& s)
{
    const int sheet = s.doc.CurrentSheet;
    return sheet >= 0 && sheet < LogSheets && s.logs()[sheet].HasAccumulated();
}

bool BuildLogReport(Session& s, bool accumulated)
{
    s.report.AccumulatedMode = accumulated ? 1 : 0;
    if (accumulated) {
        if (!CurrentLogHasAccumulated(s)) {
            s.ask.Message("Present Log file has no Accumulated Quantities");
            return false;
        }
    }
    return CreateGeopakLogReport(s);
}

} // namespace mardex
