#include "compute/LogReportWriter.h"

#include "text/LogStation.h"
#include "model/LogTables.h"
#include "compute/ReportBlocks.h"
#include "text/ReportFields.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

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
    LogReportBuilder(const SheetLog& log, const ReportHeading& heading, ReportMode mode)
        : heading_(heading), log_(log), intervals_(log), accumulated_(mode == ReportMode::Accumulated),
          embankment_(heading.embankment == 1)
    {
    }

    void Build()
    {
        Metadata();
        Entries();
        Summary();
    }

    const std::string& Report() const { return report_; }
    std::vector<CompanionCells>& CompanionRows() { return companion_; }

private:
    void Line(std::string_view text) { AppendLine(report_, text); }

    void Metadata()
    {
        const auto& d = heading_.descriptionFields;
        ReportMetadata m;
        m.Designer = d[0];
        m.ProjectNo = d[1];
        m.ControlNo = d[2];
        m.TabName = heading_.tabCaption;
        m.UnitSystem = UnitNumber(heading_.units);
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
        if (heading_.units == UnitSystem::Metric) {
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
        companion_.push_back({e.Name, "-", e.Value(1, 2), Zero, e.Value(2, 2), Zero});
    }

    const ReportHeading& heading_;
    const SheetLog& log_;
    LogIntervals intervals_;
    bool accumulated_;
    bool embankment_;
    bool firstSectionDone_ = false;
    std::string report_;
    std::vector<CompanionCells> companion_;
};

} // namespace

LogReportText WriteLogReport(const SheetLog& log, const ReportHeading& heading, ReportMode mode)
{
    LogReportBuilder builder(log, heading, mode);
    builder.Build();
    return {builder.Report(), std::move(builder.CompanionRows())};
}

std::string InsertBalance(const SheetLog& log, int entry) { return LogIntervals(log).Label(entry); }

std::vector<int> BalancePointsOfEntry(const SheetLog& log, int entry) { return LogIntervals(log).Points(entry); }

} // namespace mardex
