#include "compute/ReportBlocks.h"

#include "text/ReportFields.h"
#include "text/NumberText.h"

namespace mardex {

void AppendLine(std::string& out, std::string_view line)
{
    out.append(line);
    out.append(ReportLineEnd);
}

void WriteMetadata(std::string& out, const ReportMetadata& m)
{
    AppendLine(out, "#Designer= " + m.Designer);
    AppendLine(out, "#Project No.= " + m.ProjectNo);
    AppendLine(out, "#Control No.= " + m.ControlNo);
    AppendLine(out, "#TabName= " + m.TabName);
    AppendLine(out, "#System= " + std::to_string(m.UnitSystem));
    AppendLine(out, "#Embankment= " + std::to_string(m.Embankment));
}

void WriteSkipOpening(std::string& out, double station)
{
    AppendLine(out, Rule(1));
    AppendLine(out, "+Skip Area From Station " + StationText(station));
    AppendLine(out, Rule(2));
}

void WriteSkipClosing(std::string& out, double station)
{
    AppendLine(out, Rule(3));
    AppendLine(out, "+Skip Area To Station " + StationText(station));
    AppendLine(out, Rule(3));
}

void WriteBalancePoint(std::string& out, const BalancePointBlock& b)
{
    const std::string zero = NumberField(std::string_view("0.00"));
    AppendLine(out, Rule(4));
    AppendLine(out, JoinFields({StationField(std::string_view(b.StationText)), zero, zero,
                                NumberField(b.CutToPoint), zero, zero, NumberField(b.FillToPoint),
                                NumberField(b.AdjustedToPoint), NumberField(b.MassAtPoint)},
                               2));
    AppendLine(out, Rule(4));
    AppendLine(out, "*+****** Balance Pt at Station " + b.StationText + " *******");
    AppendLine(out, JoinFields({"Bal. Totals", zero, NumberField(b.AddedCut), NumberField(b.Cut), zero, zero,
                                NumberField(b.AddedFill), NumberField(b.Fill), NumberField(b.Ninth),
                                NumberField(b.Tenth)},
                               2));
    AppendLine(out, Rule(5));
}

void WriteStationRow(std::string& out, const StationRow& r)
{
    AppendStationField(out, r.Station);
    auto next = [&](auto value) {
        out.append(2, ' ');
        AppendNumberField(out, value);
    };
    next(r.CutArea);
    next(r.AddedCut);
    next(r.Fourth);
    next(r.FillArea);
    next(r.AddedFill);
    next(r.Seventh);
    next(r.Factor);
    next(r.Ninth);
    next(r.Tenth);
    out.append(ReportLineEnd);
}

void WriteForcedBalance(std::string& out, const ForcedBalanceBlock& b)
{
    const std::string blank(9, ' ');
    AppendLine(out, Rule(3));
    AppendLine(out, "Fo+rced Balance at Station " + StationText(b.Station));
    AppendLine(out, JoinFields({"Bal. Totals", blank, NumberField(b.AddedCut), NumberField(b.Cut), blank,
                                NumberField(b.AddedFill), NumberField(b.Fill), NumberField(b.Adjusted),
                                NumberField(b.Mass)},
                               3));
    AppendLine(out, Rule(3));
}

void WriteEquation(std::string& out, std::string_view bkCell, std::string_view ahCell, bool gap)
{
    AppendLine(out, Rule(3));
    AppendLine(out, "Eq+uation Sta. " + Trim(StationText(bkCell)) + " BK = " + Trim(StationText(ahCell)) + " AH");
    AppendLine(out, Rule(gap ? 1 : 3));
}

void WriteSummaryHead(std::string& out, int unitSystem)
{
    AppendLine(out, Rule(1));
    AppendLine(out, "+                 G R A N D     S U M M A R Y     T O T A L S");
    AppendLine(out, Rule(1));
    AppendLine(out, "+                   Unadjusted  Adjusted        Mult");
    AppendLine(out, "+                   Volume      Volume          Factor");
    if (unitSystem == 0) {
        AppendLine(out, "+                   (cu. yd.)   (cu. yd.)");
    } else {
        AppendLine(out, "+                   (cubic     (cubic");
        AppendLine(out, "+                    meters)    meters)");
    }
    AppendLine(out, " +       ---------------------------- ---------- ---------- ------");
}

void WriteSummaryTail(std::string& out)
{
    AppendLine(out, "+        ---------------------------- ---------- ---------- ------");
    AppendLine(out, std::string(65, '#'));
}

void WriteGrandSummary(std::string& out, int unitSystem, double unadjustedExcavation,
                       double adjustedExcavation, double unadjustedFill, double adjustedFill,
                       std::string_view factor)
{
    WriteSummaryHead(out, unitSystem);
    AppendLine(out, OnPrintZones({ExcavationCaption, SummaryField(unadjustedExcavation),
                                  SummaryField(adjustedExcavation), SummaryField(std::string_view("1.0"))}));
    AppendLine(out, OnPrintZones({FillCaption, SummaryField(unadjustedFill), SummaryField(adjustedFill),
                                  SummaryField(factor)}));
    WriteSummaryTail(out);
}

} // namespace mardex
