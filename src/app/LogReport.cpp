#include "app/LogReport.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "app/DocumentWriter.h"
#include "app/GeopakLog.h"
#include "model/LogTables.h"
#include "compute/LogReportWriter.h"
#include "formats/AtomicFile.h"
#include "compute/ReportBlocks.h"
#include "app/ReportFile.h"
#include "text/NumberText.h"
#include "text/TextLines.h"
#include "model/SheetStore.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace mardex {

namespace {

ReportMode ModeOf(const Session& s)
{
    return s.report.AccumulatedMode;
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

} // namespace

std::string CompanionDocument(int16_t unitSystem, const std::string& baselineName,
                              const std::vector<CompanionCells>& rows)
{
    Sheet row;  // one row at a time through the document writer's row layout
    auto rowLine = [&row](const CompanionCells& cells) {
        for (int c = 0; c < ColumnCount; ++c) row.SetCell(c, 0, cells[c]);
        return RowLine(row, 0);
    };
    std::string text;
    auto line = [&](std::string_view l) { AppendLine(text, l); };
    line("[VERSION 2002]");
    line(unitSystem == 1 ? "[METRIC]" : "[ENGLISH]");
    line("");
    line("");
    line("");
    const std::string baseline = Trim(baselineName);
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

bool WriteCompanionDocument(const std::string& path, int16_t unitSystem, const std::string& baselineName,
                            const std::vector<CompanionCells>& rows, std::string& error, long long failAfterBytes)
{
    const AtomicWriteResult written =
        WriteFileAtomically(path, CompanionDocument(unitSystem, baselineName, rows), failAfterBytes);
    if (!written.ok) error = written.error;
    return written.ok;
}

std::optional<std::string> LogReportFileName(const Session& s, const ReportTarget& target)
{
    if (!target.path.empty()) return target.path;
    const auto base = LogBaseName(s.doc.CurrentFileName);
    if (!base) return std::nullopt;
    std::string report = s.doc.ReportFolder + *base + ".rpt";
    // A report folder holding a link of that name to the log: never written over.
    if (NamesSameFile(report, s.doc.CurrentFileName)) return std::nullopt;
    return report;
}

std::optional<std::string> LogCompanionFileName(const std::string& logPath)
{
    const auto base = LogBaseName(logPath);
    if (!base) return std::nullopt;
    return FolderOf(logPath) + *base + ".mdx";
}

bool WriteLogReportText(Session& s, const ReportTarget& target, const std::string& text, std::string& error,
                        bool mayAppend)
{
    const auto path = LogReportFileName(s, target);
    if (!path) {
        error = "Bad file name or number: " + s.doc.CurrentFileName;
        return false;
    }
    return WriteReportText(*path, text, mayAppend && s.report.AppendToReport, error, s.writer->failAfterBytes);
}


bool LooksLikeLogCompanion(const std::string& text)
{
    std::vector<std::string_view> lines;
    ForEachLine(text, [&](std::string_view line) { lines.push_back(line); });
    std::size_t i = 0;
    const auto next = [&](std::string_view want) { return i < lines.size() && lines[i++] == want; };
    if (!next("[VERSION 2002]")) return false;
    if (i >= lines.size() || (lines[i] != "[ENGLISH]" && lines[i] != "[METRIC]")) return false;
    ++i;
    if (!next("") || !next("") || !next("")) return false;
    bool anySheet = false;
    while (i < lines.size() && lines[i].substr(0, 10) == "[END AREA " && lines[i].back() == ']') {
        ++i;
        anySheet = true;
        if (!next("#BALANCE FACTOR") || !next("1.00") || !next("#MEASURED IN EMBANKMENT") || !next(" 0 ") ||
            !next(ColumnHeaderLine))
            return false;
        for (; i < lines.size() && !lines[i].empty() && lines[i].front() != '['; ++i) {
            std::vector<std::string_view> fields;
            std::string_view rest = lines[i];
            while (!rest.empty()) {
                const auto start = rest.find_first_not_of(' ');
                if (start == std::string_view::npos) break;
                rest.remove_prefix(start);
                const auto blank = rest.find(' ');
                fields.push_back(rest.substr(0, blank));
                rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank);
            }
            if (fields.size() != 6 || fields[1] != "-" || fields[3] != "0.00" || fields[5] != "0.00") return false;
        }
    }
    if (!anySheet || !next("[LAST RECORD]")) return false;
    return i == lines.size() || (i + 1 == lines.size() && lines[i].empty());
}

CompanionOnDisk ExamineCompanion(const std::string& path, const std::string& wanted, std::size_t lastWritten)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return CompanionOnDisk::Absent;
    std::ifstream in(path, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (!(in.good() || in.eof())) return CompanionOnDisk::Document;
    if (text == wanted || (lastWritten != 0 && std::hash<std::string>{}(text) == lastWritten)) return CompanionOnDisk::Same;
    return LooksLikeLogCompanion(text) ? CompanionOnDisk::Edited : CompanionOnDisk::Document;
}

std::string ReplaceCompanionQuestion(const std::string& companionPath, const std::string& logPath)
{
    return companionPath + " is a sheet document, not the station rows of " + logPath +
           ". Replace it with the log's station rows?";
}

std::string ReplaceEditedCompanionQuestion(const std::string& companionPath, const std::string& logPath)
{
    return companionPath + " differs from the station rows " + logPath +
           " gives now: it was changed since it was written. Replace it with the log's station rows?";
}

std::string KeptCompanionMessage(const std::string& companionPath)
{
    return companionPath + " was kept; the log's station rows were not written.";
}

namespace {

// The companion goes next to the log under the log's name with ".mdx": a
// sheet document of that name, or a companion whose rows differ from the
// log's, is replaced only when the user says so (the tool's questions are
// answered No).
bool MayWriteCompanion(Session& s, const std::string& companionPath, const std::string& logPath,
                       const std::string& text)
{
    auto& kept = s.doc.KeptDocuments;
    if (std::find(kept.begin(), kept.end(), companionPath) != kept.end()) return false;
    const auto written = s.doc.WrittenCompanions.find(companionPath);
    const CompanionOnDisk found =
        ExamineCompanion(companionPath, text, written == s.doc.WrittenCompanions.end() ? 0 : written->second);
    if (found == CompanionOnDisk::Absent || found == CompanionOnDisk::Same) return true;
    const std::string question = found == CompanionOnDisk::Edited ? ReplaceEditedCompanionQuestion(companionPath, logPath)
                                                                  : ReplaceCompanionQuestion(companionPath, logPath);
    const Answer a = s.ask.Ask(MessageBox{question, Buttons::YesNo, Icon::Exclamation, "Warning", true});
    if (a == Answer::Yes) return true;
    kept.push_back(companionPath);
    s.ask.Message(KeptCompanionMessage(companionPath));
    return false;
}

} // namespace

void AppendGeopakLogReport(Session& s, std::string& text)
{
    const SheetLog& log = s.logs()[s.doc.CurrentSheet];
    const std::string& logPath = log.LogPath.empty() ? s.doc.CurrentFileName : log.LogPath;
    const auto companionPath = LogCompanionFileName(logPath);
    if (!companionPath) throw RuntimeFault("Bad file name or number: " + logPath + " has no \".LOG\"");

    const LogReportText built = WriteLogReport(log, LogHeadingOf(s), ModeOf(s));
    const std::string companion = CompanionDocument(s.doc.UnitSystem, s.doc.BaselineName, built.companionRows);
    if (MayWriteCompanion(s, *companionPath, logPath, companion)) {
        const AtomicWriteResult written = WriteFileAtomically(*companionPath, companion, s.writer->failAfterBytes);
        if (!written.ok) throw RuntimeFault(written.error);
        s.doc.WrittenCompanions[*companionPath] = std::hash<std::string>{}(companion);
    }
    text += built.report;
}

bool CreateGeopakLogReport(Session& s, const ReportTarget& target)
{
    return Guarded(s.ask, "Program Error: ", " occured in CreateGeopakLogReport", [&] {
        const auto reportPath = LogReportFileName(s, target);
        if (!reportPath)
            throw RuntimeFault("Bad file name or number: " + s.doc.CurrentFileName + " has no \".LOG\"");
        std::string text;
        AppendGeopakLogReport(s, text);

        const bool append = s.report.AppendToReport;
        std::string error;
        if (!WriteReportText(*reportPath, text, append, error, s.writer->failAfterBytes)) throw RuntimeFault(error);
        s.report.AppendToReport = false;

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

bool BuildLogReport(Session& s, bool accumulated, const ReportTarget& target)
{
    s.report.AccumulatedMode = accumulated ? ReportMode::Accumulated : ReportMode::Total;
    if (accumulated) {
        if (!CurrentLogHasAccumulated(s)) {
            s.ask.Message("Present Log file has no Accumulated Quantities");
            return false;
        }
    }
    return CreateGeopakLogReport(s, target);
}

} // namespace mardex
