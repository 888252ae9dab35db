#include "compute/ReportBlocks.h"

#include "text/ReportFields.h"
#include "text/NumberText.h"

#include <initializer_list>

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
    FieldLine line;
    auto fields = [&line](std::initializer_list<double> values) {
        for (double v : values) {
            line.Blanks(2);
            line.NumberField(v);  // the area columns print N(0)
        }
    };
    AppendLine(out, Rule(4));
    // The text is S(x) already: the station field leaves it as it is.
    line.RightAligned(b.StationText, 8);
    fields({0, 0, b.CutToPoint, 0, 0, b.FillToPoint, b.AdjustedToPoint, b.MassAtPoint});
    line.AppendTo(out, ReportLineEnd);
    AppendLine(out, Rule(4));
    line.Text("*+****** Balance Pt at Station ");
    line.Text(b.StationText);
    line.Text(" *******");
    line.AppendTo(out, ReportLineEnd);
    line.Text("Bal. Totals");
    fields({0, b.AddedCut, b.Cut, 0, 0, b.AddedFill, b.Fill, b.Ninth, b.Tenth});
    line.AppendTo(out, ReportLineEnd);
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
    FieldLine line;
    AppendLine(out, Rule(3));
    line.Text("Fo+rced Balance at Station ");
    line.Text(StationText(b.Station));
    line.AppendTo(out, ReportLineEnd);
    line.Text("Bal. Totals");
    auto field = [&line](double value) {
        line.Blanks(3);
        line.NumberField(value);
    };
    line.Blanks(3 + 9);  // the cut area column is blank
    field(b.AddedCut);
    field(b.Cut);
    line.Blanks(3 + 9);  // and so is the fill area column
    field(b.AddedFill);
    field(b.Fill);
    field(b.Adjusted);
    field(b.Mass);
    line.AppendTo(out, ReportLineEnd);
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
