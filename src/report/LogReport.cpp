#include "report/LogReport.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "document/DocumentWriter.h"
#include "geopaklog/GeopakLog.h"
#include "geopaklog/LogTables.h"
#include "report/ReportBlocks.h"
#include "report/ReportFields.h"
#include "report/ReportFile.h"
#include "sheet/NumberText.h"
#include "sheet/SheetStore.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

namespace mardex {

namespace {

const std::string Blank9(9, ' ');
const std::string Zero = "0.00";

std::string Field(std::string_view text) { return RightAlign(text, 9); }

std::string StationFieldOf(const std::string& name) { return RightAlign(FormatStationText(name), 8); }

bool IsStationEntry(const LogRecord& entry) { return entry.Name.find('+') != std::string::npos; }

bool IsDiagnostic(const std::string& name)
{
    return name == "for" || name == "XS-W-DANGPROP" || name == "XS-NOES" || name == "XS-NOPROP" ||
           name == "XS-ONESIDE" || name == "at";
}

// The 110- and 112-character rules around log balance sections and SKIP captions.
const std::string SectionOpenRule = "*+" + std::string(9, '*') + " " + std::string(98, '*');
const std::string SectionCloseRule = "*+" + std::string(6, '*') + " " + std::string(103, '*');

// Stations and intervals of one log, worked out once per report.
class LogIntervals {
public:
    explicit LogIntervals(const SheetLog& log) : log_(log)
    {
        const int count = log.EntryCount;
        station_.resize(count + 1);
        isStation_.resize(count + 1);
        nextStation_.assign(count + 1, -1);
        for (int u = 0; u <= count; ++u) {
            const LogRecord& e = log.LogEntries.at(u);
            isStation_[u] = IsStationEntry(e);
            station_[u] = LogStationToNumber(e.Name);
        }
        int next = -1;
        for (int u = count; u >= 0; --u) {
            nextStation_[u] = next;
            if (isStation_[u]) next = u;
        }
        for (int b = 1; b <= log.BalanceCount; ++b)
            pointStation_.push_back(LogStationToNumber(log.LogBalancePoints.at(b).Name));
        const int adjustments = std::min(log.AdjustmentCount, MaxLogAdjustments);
        for (int a = 1; a <= adjustments; ++a)
            adjustmentStation_.push_back(LogStationToNumber(log.LogAdjustments.at(a).Name));
    }

    bool IsStation(int u) const { return isStation_[u]; }
    double Station(int u) const { return station_[u]; }

    std::string Label(int u) const
    {
        if (!isStation_[u]) return {};
        for (std::size_t a = 0; a < adjustmentStation_.size(); ++a)
            if (InInterval(u, adjustmentStation_[a])) return log_.LogAdjustments.at(static_cast<int>(a) + 1).Note;
        return {};
    }

    std::vector<int> Points(int u) const
    {
        std::vector<int> points;
        if (!isStation_[u]) return points;
        for (std::size_t b = 0; b < pointStation_.size(); ++b)
            if (InInterval(u, pointStation_[b])) points.push_back(static_cast<int>(b) + 1);
        return points;
    }

private:
    bool InInterval(int u, double s) const
    {
        if (s < station_[u]) return false;
        return nextStation_[u] < 0 || s < station_[nextStation_[u]];
    }

    const SheetLog& log_;
    std::vector<double> station_;
    std::vector<char> isStation_;
    std::vector<int> nextStation_;
    std::vector<double> pointStation_, adjustmentStation_;
};

// The lines of one log report and of its companion rows.
class LogReportBuilder {
public:
    LogReportBuilder(const Session& s, const SheetLog& log)
        : s_(s), log_(log), intervals_(log), accumulated_(s.report.AccumulatedMode == 1),
          embankment_(s.form.Check1 == 1)
    {
    }

    void Build()
    {
        Metadata();
        Entries();
        Summary();
    }

    const std::string& Report() const { return report_; }
    const std::vector<std::string>& CompanionRows() const { return companion_; }

private:
    void Line(std::string_view text) { AppendLine(report_, text); }

    void Metadata()
    {
        const auto& d = s_.doc.DescriptionFields;
        const int sheet = s_.doc.CurrentSheet;
        ReportMetadata m;
        m.Designer = d[0];
        m.ProjectNo = d[1];
        m.ControlNo = d[2];
        m.TabName = sheet >= 0 && sheet < static_cast<int>(s_.form.Tabs.size()) ? s_.form.Tabs[sheet] : "";
        m.UnitSystem = s_.doc.UnitSystem == 1 ? 1 : 0;
        m.Embankment = embankment_ ? 1 : 0;
        WriteMetadata(report_, m);
    }

    void Entries()
    {
        const int count = log_.EntryCount;
        int u = 0;
        while (u <= count) {
            const LogRecord& entry = log_.LogEntries.at(u);
            const std::string name = Trim(entry.Name);
            if (IsDiagnostic(name)) {
                Diagnostic(entry);
                ++u;
                continue;
            }
            if (name == "SKIP") {
                const int next = SkipStretch(u);
                if (next < 0) return;
                u = next;
                continue;
            }
            if (intervals_.IsStation(u)) {
                StationRow(entry, intervals_.Label(u), true);
                for (int point : intervals_.Points(u)) BalanceSection(log_.LogBalancePoints.at(point));
            }
            ++u;
        }
    }

    void Diagnostic(const LogRecord& entry)
    {
        const std::string note = Trim(entry.Note);
        const auto blank = note.rfind(' ');
        const std::string lastWord = blank == std::string::npos ? note : note.substr(blank);
        Line(lastWord + " : " + entry.Note);
    }

    // Writes a SKIP stretch; returns the entry to go on with, or -1 to end the loop.
    int SkipStretch(int u)
    {
        const int count = log_.EntryCount;
        if (u + 1 > count || !intervals_.IsStation(u + 1)) return -1;
        StretchRow(log_.LogEntries.at(u + 1));
        const LogRecord& skip = log_.LogEntries.at(u);
        Line(SectionOpenRule);
        Line("*+******" + Trim(skip.Note) + " *******");
        Line(SectionCloseRule);

        const std::string upper = ToUpper(skip.Note);
        const auto to = upper.find("TO");
        const double end = to == std::string::npos ? 0 : LogStationToNumber(skip.Note.substr(to + 2));
        int beyond = -1, equal = -1;
        for (int j = u; j <= count && beyond < 0; ++j) {
            const double station = intervals_.Station(j);
            if (station > end) beyond = j;
            else if (station == end && equal < 0) equal = j;
        }
        const int resume = beyond >= 0 ? beyond : equal;
        if (resume < 0) return -1;
        if (intervals_.IsStation(resume)) StretchRow(log_.LogEntries.at(resume));
        return resume + 1;
    }

    // The rows a SKIP stretch writes know only the dashed and ordinary kinds.
    void StretchRow(const LogRecord& entry)
    {
        if (Token(entry, 1, 2) == "------") DashedRow(entry);
        else OrdinaryRow(entry);
    }

    void StationRow(const LogRecord& entry, const std::string& label, bool withCompanion)
    {
        const std::string kind = Token(entry, 1, 2);
        if (kind == "------") DashedRow(entry);
        else if (kind == "NA") {
            if (label == "Fill") NaFillRow(entry);
            else if (label == "Exc") NaExcRow(entry);
        } else if (ToUpper(kind) == "EXC") ExcavationAdjustmentRow(entry);
        else OrdinaryRow(entry);
        if (withCompanion) CompanionRow(entry);
    }

    static std::string Token(const LogRecord& r, int line, int slot) { return Trim(r.Value(line, slot)); }
    // A when the token B equals the word W, else 0.00.
    static std::string When(const LogRecord& r, int aLine, int aSlot, int bLine, int bSlot, const char* word)
    {
        return Token(r, bLine, bSlot) == word ? Token(r, aLine, aSlot) : Zero;
    }

    // Fields 2..10 after the station field; fields 8..10 are emptied in a
    // total report measured in embankment.
    std::string Fields(const std::string (&f)[9], bool mayEmpty) const
    {
        std::string out;
        for (int i = 0; i < 9; ++i) {
            if (i > 0) out += "  ";
            out += mayEmpty && i >= 6 && embankment_ && !accumulated_ ? Blank9 : Field(f[i]);
        }
        return out;
    }

    void OrdinaryRow(const LogRecord& e)
    {
        const bool a = accumulated_;
        const std::string f[9] = {
            When(e, 1, 2, 1, 1, "Excavation"),
            Zero,
            a ? When(e, 1, 6, 1, 1, "Excavation") : When(e, 1, 3, 1, 1, "Excavation"),
            When(e, 2, 2, 2, 1, "Fill"),
            Zero,
            a ? When(e, 2, 7, 2, 1, "Fill") : When(e, 2, 3, 2, 1, "Fill"),
            When(e, 2, 5, 2, 1, "Fill"),
            a ? When(e, 2, 6, 2, 1, "Fill") : When(e, 2, 4, 2, 1, "Fill"),
            a ? When(e, 2, 8, 2, 1, "Fill") : When(e, 2, 6, 2, 1, "Fill"),
        };
        Line(StationFieldOf(e.Name) + "  " + Fields(f, true));
    }

    void DashedRow(const LogRecord& e)
    {
        const std::string f[9] = {
            When(e, 1, 2, 1, 1, "------"), Token(e, 1, 3),          When(e, 1, 2, 1, 3, "------"),
            When(e, 2, 3, 2, 2, "------"), When(e, 2, 3, 2, 1, "------"), When(e, 2, 5, 2, 1, "------"),
            When(e, 2, 4, 2, 1, "------"), When(e, 2, 6, 2, 1, "------"), Zero,
        };
        Line(StationFieldOf(e.Name) + "   " + Fields(f, true));
    }

    void NaExcRow(const LogRecord& e)
    {
        const std::string f[9] = {
            When(e, 1, 2, 1, 1, "------"), Token(e, 1, 3),          Zero,
            When(e, 2, 3, 2, 2, "------"), When(e, 2, 3, 2, 1, "------"), When(e, 1, 5, 2, 1, "------"),
            When(e, 1, 4, 2, 1, "------"), When(e, 1, 6, 2, 1, "------"), Zero,
        };
        Line(StationFieldOf(e.Name) + "   " + Fields(f, true));
    }

    void NaFillRow(const LogRecord& e)
    {
        const std::string f[9] = {
            When(e, 1, 2, 1, 1, "------"), Zero,           Zero,
            When(e, 2, 3, 2, 2, "------"), Token(e, 1, 3), When(e, 2, 3, 2, 1, "------"),
            Token(e, 1, 5),                Token(e, 1, 4), Token(e, 1, 6),
        };
        Line(StationFieldOf(e.Name) + "   " + Fields(f, true) + (accumulated_ ? "  " : ""));
    }

    void ExcavationAdjustmentRow(const LogRecord& e)
    {
        const std::string f[9] = {
            When(e, 1, 2, 1, 1, "------"), When(e, 1, 5, 1, 2, "Exc"), Zero,
            Zero,                          Zero,                       When(e, 2, 3, 2, 1, "------"),
            When(e, 1, 6, 1, 2, "Exc"),    Zero,                       Zero,
        };
        Line(StationFieldOf(e.Name) + "   " + Fields(f, true) + (accumulated_ ? "  " : ""));
    }

    void BalanceSection(const LogRecord& point)
    {
        Line(SectionOpenRule);
        Line("*+****** Balance Pt at Station " + StationFieldOf(point.Name) + " *******");
        auto t = [&](int line, int slot) {
            const std::string token = Trim(point.Value(line, slot));
            return token.empty() ? Zero : token;
        };
        const bool first = !firstSectionDone_;
        firstSectionDone_ = true;
        if (!accumulated_) {
            if (first) {
                BalanceRow("+Incre.", t(1, 2), t(2, 2), t(2, 4), t(2, 3), Zero);
                BalanceRow("+Accum.", t(1, 2), t(2, 2), t(2, 4), t(2, 3), Zero);
            } else {
                BalanceRow("+Incre.", t(1, 5), t(2, 4), t(2, 6), t(2, 5), Zero);
                BalanceRow("+Accum.", t(1, 2), t(2, 2), t(2, 6), t(2, 3), Zero);
            }
        } else {
            if (first) BalanceRow("+Incre.", t(1, 2), t(2, 2), t(2, 6), Zero, t(2, 3));
            else BalanceRow("+Incre.", t(1, 5), t(2, 4), t(2, 6), Zero, t(2, 5));
            BalanceRow("+Accum.", t(1, 2), t(2, 2), t(2, 6), Zero, t(2, 3));
        }
        Line(SectionCloseRule);
    }

    void BalanceRow(const char* label, const std::string& f4, const std::string& f7, const std::string& f8,
                    const std::string& f9, const std::string& f10)
    {
        const std::string f[9] = {Zero, Zero, f4, Zero, Zero, f7, f8, f9, f10};
        Line(Field(label) + "   " + Fields(f, true));
    }

    void Summary()
    {
        Line("+                 G R A N D     S U M M A R Y     T O T A L S");
        Line("+                              Unadjusted  Adjusted    Mult");
        Line("+                              Volume      Volume      Factor");
        if (s_.doc.UnitSystem == 1) {
            Line("+                              (cubic     (cubic");
            Line("+                               meters)    meters)");
        } else {
            Line("+                              (cu. yd.)   (cu. yd.)");
        }
        Line("+       ---------------------------- ---------- ---------- ------");
        for (int row = 1; row <= 2; ++row) {
            const LogRecord& sum = log_.LogSummary;
            const std::string first = "+" + Field(sum.Value(row, 0));
            const std::string f1 = Field(sum.Value(row, 1)), f2 = Field(sum.Value(row, 2));
            if (embankment_) Line(OnPrintZones({first, f1, f2}));
            else Line(OnPrintZones({first, f1, f2, Field(sum.Value(row, 3)), Field(sum.Value(row, 4))}));
        }
        Line("        ---------------------------- ---------- ---------- ------");
        Line(std::string(65, '#'));
    }

    // The companion row in the sheet document's row layout: station, code
    // "-", cut area, added cut 0, fill area, added fill 0.
    void CompanionRow(const LogRecord& e)
    {
        row_.SetCell(ColStation, 0, e.Name);
        row_.SetCell(ColCode, 0, "-");
        row_.SetCell(ColCut, 0, e.Value(1, 2));
        row_.SetCell(ColAddedCut, 0, Zero);
        row_.SetCell(ColFill, 0, e.Value(2, 2));
        row_.SetCell(ColAddedFill, 0, Zero);
        companion_.push_back(RowLine(row_, 0));
    }

    const Session& s_;
    const SheetLog& log_;
    LogIntervals intervals_;
    bool accumulated_;
    bool embankment_;
    bool firstSectionDone_ = false;
    std::string report_;
    std::vector<std::string> companion_;
    Sheet row_;  // one row at a time through the document writer's row layout
};

// A complete sheet document of the baseline, at most 1800 rows per sheet block.
std::string CompanionDocument(const Session& s, const std::vector<std::string>& rows)
{
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
        for (; next < end; ++next) line(rows[next]);
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
    return WriteReportText(*path, text, mayAppend && s.report.AppendToReport == 1, error, s.doc.FailWritesAfterBytes);
}

std::string InsertBalance(const SheetLog& log, int entry) { return LogIntervals(log).Label(entry); }

std::vector<int> BalancePointsOfEntry(const SheetLog& log, int entry) { return LogIntervals(log).Points(entry); }

bool LooksLikeLogCompanion(const std::string& text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        at = end + 1;
    }
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

namespace {

// The companion goes next to the log under the log's name with ".mdx": a
// sheet document of that name that is not a previous companion is replaced
// only when the user says so (the tool's questions are answered No).
bool MayWriteCompanion(Session& s, const std::string& companionPath, const std::string& logPath)
{
    std::error_code ec;
    if (!std::filesystem::exists(companionPath, ec)) return true;
    auto& kept = s.doc.KeptDocuments;
    if (std::find(kept.begin(), kept.end(), companionPath) != kept.end()) return false;
    std::ifstream in(companionPath, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (in.good() || in.eof()) {
        if (LooksLikeLogCompanion(text)) return true;
    }
    const Answer a = s.ask.Ask(MessageBox{companionPath + " is a sheet document, not the station rows of " + logPath +
                                              ". Replace it with the log's station rows?",
                                          Buttons::YesNo, Icon::Exclamation, "Warning", true});
    if (a == Answer::Yes) return true;
    kept.push_back(companionPath);
    s.ask.Message(companionPath + " was kept; the log's station rows were not written.");
    return false;
}

} // namespace

void AppendGeopakLogReport(Session& s, std::string& text)
{
    const SheetLog& log = s.logs()[s.doc.CurrentSheet];
    const std::string& logPath = log.LogPath.empty() ? s.doc.CurrentFileName : log.LogPath;
    const auto companionPath = LogCompanionFileName(logPath);
    if (!companionPath) throw RuntimeFault("Bad file name or number: " + logPath + " has no \".LOG\"");

    LogReportBuilder builder(s, log);
    builder.Build();
    std::string error;
    if (MayWriteCompanion(s, *companionPath, logPath) &&
        !WriteReportText(*companionPath, CompanionDocument(s, builder.CompanionRows()), false, error,
                         s.doc.FailWritesAfterBytes))
        throw RuntimeFault(error);
    text += builder.Report();
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
        if (!WriteReportText(*reportPath, text, append, error, s.doc.FailWritesAfterBytes)) throw RuntimeFault(error);
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
