#include "compute/SheetReportWriter.h"

#include "compute/ReportBlocks.h"
#include "text/ReportFields.h"

#include <algorithm>

namespace mardex {

namespace {

void WriteStation(std::string& out, const ComputedRow& row, ReportMode mode, std::string_view factorField)
{
    FieldLine line;
    if (!row.stationCell.empty()) line.RightAligned(row.stationCell, 8);
    else line.RightAligned(PrintedStation(row), 8);
    auto next = [&line](auto value) {
        line.Blanks(2);
        line.NumberField(value);
    };
    const bool total = mode == ReportMode::Total;
    next(row.cutAreaText);
    next(row.addedCut);
    next(total ? row.cutVolume : row.runningCut);
    next(row.fillAreaText);
    next(row.addedFill);
    next(total ? row.fillVolume : row.runningFill);
    line.Blanks(2);
    line.RightAligned(factorField, 9);
    if (total) {
        next(row.adjustedFill);
        next(row.mass);
    } else {
        next(row.mass);
        next(row.runningAdjusted);
    }
    line.AppendTo(out, ReportLineEnd);
    if (row.forcedBalance) {
        const PeriodTotals& p = row.totals;
        WriteForcedBalance(out, {row.station, p.addedCut, p.cut, p.addedFill, p.fill, p.adjustedFill, p.mass});
    }
}

void WriteBalance(std::string& out, const ComputedRow& row, ReportMode mode)
{
    BalancePointBlock b;
    b.StationText = PrintedStation(row);
    b.CutToPoint = row.cutVolume;
    b.FillToPoint = row.fillVolume;
    b.AdjustedToPoint = row.adjustedFill;
    b.MassAtPoint = row.mass;
    const PeriodTotals& p = row.totals;
    b.AddedCut = p.addedCut;
    b.Cut = p.cut;
    b.AddedFill = p.addedFill;
    b.Fill = p.fill;
    b.Ninth = mode == ReportMode::Total ? p.adjustedFill : p.mass;
    b.Tenth = mode == ReportMode::Total ? p.mass : p.adjustedFill;
    WriteBalancePoint(out, b);
}

struct ItemWriter {
    std::string& out;
    ReportMode mode;
    // Every row of a sheet prints the same factor: masked once per sheet.
    std::string_view factorField;
    void operator()(const ComputedRow& row) const
    {
        if (row.kind == RowKind::BalancePoint) WriteBalance(out, row, mode);
        else WriteStation(out, row, mode, factorField);
    }
    void operator()(const SkipAreaMark& mark) const
    {
        if (mark.opening) WriteSkipOpening(out, mark.station);
        else WriteSkipClosing(out, mark.station);
    }
    void operator()(const StationEquation& e) const { WriteEquation(out, e.back, e.ahead, e.gap); }
};

} // namespace

void WriteSheetReport(std::string& out, const SheetComputation& c, const ReportHeading& heading,
                      const SheetTotals& grandTotals)
{
    ReportMetadata m;
    m.Designer = heading.descriptionFields[0];
    m.ProjectNo = heading.descriptionFields[1];
    m.ControlNo = heading.descriptionFields[2];
    m.TabName = heading.tabCaption;
    m.UnitSystem = UnitNumber(heading.units);
    m.Embankment = heading.embankment;
    WriteMetadata(out, m);

    const std::size_t needed = out.size() + c.items.size() * 116 + 1024;
    if (needed > out.capacity()) out.reserve(std::max(needed, 2 * out.capacity()));
    const std::string factorField = NumberField(std::string_view(c.balanceFactor));
    const ItemWriter writer{out, c.mode, factorField};
    for (const ComputedItem& item : c.items) std::visit(writer, item);
    WriteGrandSummary(out, UnitNumber(c.units), grandTotals.unadjustedExcavation, grandTotals.adjustedExcavation,
                      grandTotals.unadjustedFill, grandTotals.adjustedFill, c.balanceFactor);
}

} // namespace mardex
