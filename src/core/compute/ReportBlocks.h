#pragma once
// The blocks of lines of a sheet report, appended to a text buffer with
// CR LF line ends. The metadata and grand summary blocks serve the log
// report as well.
#include <string>
#include <string_view>

namespace mardex {

void AppendLine(std::string& out, std::string_view line);

struct ReportMetadata {
    std::string Designer, ProjectNo, ControlNo, TabName;
    int UnitSystem = 0;  // 0 English, 1 metric
    int Embankment = 0;  // the check box's state
};
// The six "#..." lines.
void WriteMetadata(std::string& out, const ReportMetadata& m);

void WriteSkipOpening(std::string& out, double station);
void WriteSkipClosing(std::string& out, double station);

struct BalancePointBlock {
    std::string StationText;  // S(balance station), trimmed
    double CutToPoint = 0, FillToPoint = 0, AdjustedToPoint = 0, MassAtPoint = 0;
    // The "Bal. Totals" row.
    double AddedCut = 0, Cut = 0, AddedFill = 0, Fill = 0;
    double Ninth = 0, Tenth = 0;  // total: adjusted fill, mass; accumulated: mass, running adjusted fill
};
void WriteBalancePoint(std::string& out, const BalancePointBlock& b);

struct StationRow {
    double Station = 0;
    std::string_view CutArea, FillArea, Factor;  // cell texts as stored
    double AddedCut = 0, Fourth = 0, AddedFill = 0, Seventh = 0, Ninth = 0, Tenth = 0;
};
void WriteStationRow(std::string& out, const StationRow& r);

struct ForcedBalanceBlock {
    double Station = 0;
    double AddedCut = 0, Cut = 0, AddedFill = 0, Fill = 0, Adjusted = 0, Mass = 0;
};
void WriteForcedBalance(std::string& out, const ForcedBalanceBlock& b);

// gap: BK row before AH row (closed by rule 1), else overlap (rule 3).
void WriteEquation(std::string& out, std::string_view bkCell, std::string_view ahCell, bool gap);

// Lines 1-7 of the grand summary (the title and the unit captions).
void WriteSummaryHead(std::string& out, int unitSystem);
// The closing dashes and the end line.
void WriteSummaryTail(std::string& out);
// The whole grand summary of a sheet report, end line included.
void WriteGrandSummary(std::string& out, int unitSystem, double unadjustedExcavation,
                       double adjustedExcavation, double unadjustedFill, double adjustedFill,
                       std::string_view factor);

// The excavation and fill captions of the summary rows.
inline constexpr std::string_view ExcavationCaption = "+Excavation";
inline constexpr std::string_view FillCaption = "+     Fill";

} // namespace mardex
