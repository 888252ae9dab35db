#include "report/EarthworkComputation.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "report/ReportBlocks.h"
#include "report/ReportCommands.h"
#include "report/ReportFields.h"
#include "report/ReportFile.h"
#include "report/MassRowSink.h"
#include "sheet/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace mardex {

namespace {

const std::string& CheckedCell(const Sheet& sheet, int column, int row)
{
    if (row < 0 || row >= RowSlots) throw RuntimeFault("Subscript out of range");
    return sheet.Cell(column, row);
}

double CellValue(const Sheet& sheet, int column, int row)
{
    return StationToNumber(CheckedCell(sheet, column, row));
}

// Volumes, adjusted fill and mass ordinates are 32-bit whole numbers.
int32_t ToLong(double x)
{
    if (!(x >= std::numeric_limits<int32_t>::min() && x <= std::numeric_limits<int32_t>::max()))
        throw RuntimeFault("Overflow");
    return static_cast<int32_t>(x);
}

int32_t NearestLong(double x) { return ToLong(nearest(x)); }

int32_t AddLong(int64_t a, int64_t b)
{
    return ToLong(static_cast<double>(a + b));
}

void CountLines(Session& s, int32_t lines)
{
    if (s.report.ReportLineCount > std::numeric_limits<int32_t>::max() - lines) throw RuntimeFault("Overflow");
    s.report.ReportLineCount += lines;
}

std::string CurrentTabCaption(const Session& s)
{
    const int i = s.doc.CurrentSheet;
    if (i >= 0 && i < static_cast<int>(s.form.Tabs.size())) return s.form.Tabs[i];
    return s.store[i].TabName;
}

template <class Area>
double GetSum(RowFlags& flags, int row, std::string_view mode, Area&& area)
{
    if (mode == "OE") return area(row - 2) + area(row);
    if (mode == "SA") return area(row - 1);
    if (mode == "NA") {
        if (flags.SkipState == 2) return area(row);
        if (flags.Gap == 1) return area(row - 1) + area(row);
        if (flags.Overlap == 1) {
            const double sum = area(row - 1) + area(row);
            flags.Overlap = 0;
            return sum;
        }
        if (flags.TwoBack == 1) return area(row - 2) + area(row);
        return area(row - 1) + area(row);
    }
    return 0;
}

// Everything the row loop carries from one row to the next.
struct Computation {
    Session& s;
    const Sheet& sheet;
    std::string& out;
    RowFlags flags;
    double factor = 0;
    double volumeFactor = 0;
    bool accumulated = false;
    MassRowSink* massRows = nullptr;  // the mass curve's rows, when asked for

    double station = 0, previousStation = 0, length = 0, cutSum = 0, fillSum = 0;
    double addedCut = 0, addedFill = 0;
    int32_t cutVolume = 0, fillVolume = 0, adjustedFill = 0, mass = 0, previousMass = 0;
    // Period sums since the last balance point or forced balance.
    double periodAddedCut = 0, periodAddedFill = 0, periodCut = 0, periodFill = 0, periodAdjusted = 0;
    // Running sums since the first row.
    double runningCut = 0, runningFill = 0, runningAdjusted = 0;

    // Numeric values of the cells up to the row after the end marker, read
    // once: each is needed by up to three segments.
    std::array<std::vector<double>, ColumnCount> values{};
    void ReadValues(int rows)
    {
        for (int c : {ColStation, ColCut, ColAddedCut, ColFill, ColAddedFill}) {
            values[c].resize(rows);
            for (int r = 0; r < rows; ++r) values[c][r] = StationToNumber(sheet.Cell(c, r));
        }
    }
    double value(int column, int row) const
    {
        if (row >= 0 && row < static_cast<int>(values[column].size())) return values[column][row];
        return CellValue(sheet, column, row);
    }
    double sta(int row) const { return value(ColStation, row); }
    std::string code(int row) const { return Trim(CheckedCell(sheet, ColCode, row)); }

    void AddedOf(int row)
    {
        addedCut = value(ColAddedCut, row);
        addedFill = value(ColAddedFill, row);
    }
    void Sums(int row, std::string_view mode)
    {
        cutSum = GetSum(flags, row, mode, [&](int r) { return value(ColCut, r); });
        fillSum = GetSum(flags, row, mode, [&](int r) { return value(ColFill, r); });
    }
    void ClearSegment()
    {
        length = cutSum = fillSum = 0;
        cutVolume = fillVolume = adjustedFill = 0;
    }
    void Segment(int to, int from)
    {
        station = sta(to);
        previousStation = sta(from);
        length = (sta(to) - sta(from)) / 100;
    }

    void Row(int r);
    void FirstRow();
    void ReadCode(int r);
    void ChooseSegment(int r);
    void Volumes();
    void BalancePoint();
    void WriteRow(int r);
    void AfterRow(int r);
};

void Computation::Row(int r)
{
    if (r == 0) {
        FirstRow();
    } else {
        ReadCode(r);
        ChooseSegment(r);
    }
    Volumes();
    if (flags.ForcedBalance == 1) {
        if (mass < 0) {
            periodAddedCut = std::abs(static_cast<double>(mass)) + addedFill;
            periodAddedFill = periodAddedFill - addedFill;
        } else if (mass > 0) {
            periodAddedFill = std::abs(static_cast<double>(mass)) + addedCut;
            periodAddedCut = periodAddedCut - addedCut;
        }
        mass = 0;
    } else if ((mass < 0 && previousMass > 0) || (mass > 0 && previousMass < 0)) {
        BalancePoint();
    }
    WriteRow(r);
    AfterRow(r);
}

void Computation::FirstRow()
{
    station = sta(0);
    previousStation = station;
    ClearSegment();
    mass = 0;
    AddedOf(0);
}

void Computation::ReadCode(int r)
{
    const std::string c = code(r);
    if (c == "SA") {
        if (flags.SkipActive == 0) {
            flags.SkipActive = 1;
            flags.SkipState = 1;
        } else {
            flags.SkipActive = 0;
            flags.SkipState = 2;
        }
    } else if (c == "FB") {
        flags.ForcedBalance = 1;
    } else if (c == "BK") {
        if (code(r + 1) == "AH") {
            s.ask.Message("Gap Equation where BK occures before AH");
            flags.Gap = 1;
        } else {
            flags.Gap = 2;
            ClearSegment();
        }
    } else if (c == "AH") {
        if (code(r + 1) == "BK") {
            s.ask.Message("overlap equation Where AH occures before BK");
            s.ask.Message("Ahead Station First when Station Equation occures");
            flags.Overlap = 1;
        } else {
            flags.Overlap = 2;
            ClearSegment();
        }
    }
}

void Computation::ChooseSegment(int r)
{
    if (flags.SkipActive == 1 && flags.SkipState == 1) {
        WriteSkipOpening(out, sta(r));
        CountLines(s, 3);
        if (massRows) massRows->SkipOpens();
        Segment(r, r - 1);
        Sums(r, "SA");
        AddedOf(r);
        flags.SkipState = 0;
    } else if (flags.SkipActive == 0 && flags.SkipState == 2) {
        WriteSkipClosing(out, sta(r));
        CountLines(s, 3);
        if (massRows) massRows->SkipCloses();
        Segment(r, r - 1);
        Sums(r, "NA");
        AddedOf(r);
        flags.SkipActive = 0;
        flags.SkipState = 0;
    } else if (flags.SkipActive == 1 && flags.SkipState == 0) {
        station = sta(r);
        previousStation = sta(r - 1);
        length = cutSum = fillSum = 0;
        addedCut = addedFill = 0;
    } else if (flags.Gap == 1) {
        Segment(r, r - 1);
        Sums(r, "NA");
        AddedOf(r);
    } else if (flags.Overlap == 2) {
        station = sta(r);
        previousStation = sta(r - 1);
        length = cutSum = fillSum = 0;
        AddedOf(r);
        flags.Overlap = 0;
    } else if (flags.Overlap == 1) {
        Segment(r + 1, r - 1);
        Sums(r + 1, "OE");
        AddedOf(r + 1);
    } else if (flags.Gap == 2) {
        station = sta(r - 1);
        previousStation = sta(r - 2);
        length = cutSum = fillSum = 0;
        AddedOf(r - 1);
        flags.TwoBack = 1;
        flags.Gap = 0;
    } else {
        Segment(r, r - 1);
        Sums(r, "NA");
        flags.TwoBack = 0;
        AddedOf(r);
    }
}

void Computation::Volumes()
{
    cutVolume = NearestLong(addedCut + length * cutSum * volumeFactor);
    fillVolume = NearestLong(length * fillSum * volumeFactor);
    adjustedFill = NearestLong(addedFill + factor * fillVolume);
    previousMass = mass;
    mass = AddLong(static_cast<int64_t>(mass) + cutVolume, -static_cast<int64_t>(adjustedFill));

    periodAddedCut += addedCut;
    periodAddedFill += addedFill;
    periodCut += cutVolume;
    periodFill += fillVolume;
    periodAdjusted += adjustedFill;
    runningCut += cutVolume;
    runningFill += fillVolume;
    runningAdjusted += adjustedFill;
    ReportState& g = s.report;
    g.UnadjustedExcavation += cutVolume;
    g.AdjustedExcavation += cutVolume;
    g.UnadjustedFill += fillVolume;
    g.AdjustedFill += adjustedFill;
}

void Computation::BalancePoint()
{
    const double before = std::abs(static_cast<double>(previousMass));
    const double t = before / (before + std::abs(static_cast<double>(mass)));
    BalancePointBlock b;
    b.StationText = Trim(StationText(previousStation + length * t * 100));
    const int32_t cutTo = NearestLong(t * cutVolume);
    const int32_t cutRest = NearestLong((1 - t) * cutVolume);
    const int32_t fillTo = NearestLong(t * fillVolume);
    const int32_t fillRest = NearestLong((1 - t) * fillVolume);
    const int32_t adjustedTo = NearestLong(adjustedFill * t);
    const int32_t adjustedRest = NearestLong((1 - t) * adjustedFill);
    const int32_t massAt = NearestLong(static_cast<double>(previousMass) + cutTo - adjustedTo);

    b.CutToPoint = cutTo;
    b.FillToPoint = fillTo;
    b.AdjustedToPoint = adjustedTo;
    b.MassAtPoint = massAt;
    b.AddedCut = periodAddedCut - addedCut;
    b.AddedFill = periodAddedFill - addedFill;
    if (!accumulated) {
        b.Cut = periodCut - cutVolume + cutTo;
        b.Fill = periodFill - fillVolume + fillTo;
        b.Ninth = periodAdjusted - adjustedFill + adjustedTo;
        b.Tenth = massAt;
    } else {
        b.Cut = runningCut - cutVolume + cutTo;
        b.Fill = runningFill - fillVolume + fillTo;
        b.Ninth = massAt;
        b.Tenth = runningAdjusted - adjustedFill + adjustedTo;
    }
    WriteBalancePoint(out, b);
    CountLines(s, 5);
    if (massRows) massRows->BalancePoint(b.StationText, massAt);

    periodAddedCut = addedCut;
    periodAddedFill = addedFill;
    periodCut = cutRest;
    periodFill = fillRest;
    periodAdjusted = adjustedRest;
    cutVolume = cutRest;
    fillVolume = fillRest;
    adjustedFill = adjustedRest;
}

void Computation::WriteRow(int r)
{
    StationRow row;
    row.Station = station;
    row.CutArea = CheckedCell(sheet, ColCut, r);
    row.FillArea = CheckedCell(sheet, ColFill, r);
    row.Factor = sheet.BalanceFactor;
    row.AddedCut = addedCut;
    row.AddedFill = addedFill;
    if (!accumulated) {
        row.Fourth = cutVolume;
        row.Seventh = fillVolume;
        row.Ninth = adjustedFill;
        row.Tenth = mass;
    } else {
        row.Fourth = runningCut;
        row.Seventh = runningFill;
        row.Ninth = mass;
        row.Tenth = runningAdjusted;
    }
    WriteStationRow(out, row);
    CountLines(s, 1);
    if (massRows) massRows->StationRow(station, mass, flags.ForcedBalance == 1, cutVolume, adjustedFill);
}

void Computation::AfterRow(int r)
{
    if (flags.ForcedBalance == 1) {
        WriteForcedBalance(out, {station, periodAddedCut, periodCut, periodAddedFill, periodFill, periodAdjusted,
                                 static_cast<double>(mass)});
        CountLines(s, 4);
        periodAddedCut = periodAddedFill = periodCut = periodFill = periodAdjusted = 0;
        flags.ForcedBalance = 0;
    }
    if (flags.Gap == 1) {
        WriteEquation(out, CheckedCell(sheet, ColStation, r), CheckedCell(sheet, ColStation, r + 1), true);
        CountLines(s, 3);
        if (massRows) massRows->Equation();
        flags.Gap = 0;
    } else if (flags.Overlap == 1) {
        WriteEquation(out, CheckedCell(sheet, ColStation, r + 1), CheckedCell(sheet, ColStation, r), false);
        CountLines(s, 3);
        if (massRows) massRows->Equation();
        flags.Overlap = 0;
    }
}

} // namespace

double GetStation(const Sheet& sheet, int row) { return CellValue(sheet, ColStation, row); }

double GetSum(const Sheet& sheet, RowFlags& flags, int row, int column, std::string_view mode)
{
    return GetSum(flags, row, mode, [&](int r) { return CellValue(sheet, column, r); });
}

void AppendSheetReport(Session& s, std::string& out) { AppendSheetReport(s, out, nullptr); }

void AppendSheetReport(Session& s, std::string& out, MassRowSink* massRows)
{
    const ReportState before = s.report;
    const std::size_t start = out.size();
    try {
        const Sheet& sheet = s.store[s.doc.CurrentSheet];
        const auto factor = ParseNumber(sheet.BalanceFactor);
        if (!factor) throw RuntimeFault("Type mismatch");
        Computation c{s, sheet, out, {}};
        c.massRows = massRows;
        c.factor = *factor;
        c.volumeFactor = s.doc.UnitSystem == 0 ? 1.8518519 : 50;
        c.accumulated = s.report.AccumulatedMode == 1;

        ReportMetadata m;
        m.Designer = s.doc.DescriptionFields[0];
        m.ProjectNo = s.doc.DescriptionFields[1];
        m.ControlNo = s.doc.DescriptionFields[2];
        m.TabName = CurrentTabCaption(s);
        m.UnitSystem = s.doc.UnitSystem;
        m.Embankment = s.form.Check1;
        WriteMetadata(out, m);
        s.report.ReportLineCount = 0;
        const int rows = std::min(sheet.EndRow() + 2, RowSlots);
        c.ReadValues(rows);
        const std::size_t needed = out.size() + static_cast<std::size_t>(rows) * 116 + 1024;
        if (needed > out.capacity()) out.reserve(std::max(needed, 2 * out.capacity()));

        for (int r = 0;; ++r) {
            if (CheckedCell(sheet, ColStation, r) == EndMarker) break;
            c.Row(r);
        }
        WriteGrandSummary(out, s.doc.UnitSystem, s.report.UnadjustedExcavation, s.report.AdjustedExcavation,
                          s.report.UnadjustedFill, s.report.AdjustedFill, sheet.BalanceFactor);
    } catch (...) {
        s.report.UnadjustedExcavation = before.UnadjustedExcavation;
        s.report.AdjustedExcavation = before.AdjustedExcavation;
        s.report.UnadjustedFill = before.UnadjustedFill;
        s.report.AdjustedFill = before.AdjustedFill;
        out.resize(start);
        throw;
    }
}

bool CreateTempRptFile(Session& s)
{
    if (ToUpper(s.doc.CurrentFileName) == "UNTITLED") {
        s.ask.Message(UntitledReportMessage);
        return false;
    }
    std::string error;
    const auto path = ReportPathOf(s, error);
    if (!path) {
        s.ask.Message(error);
        return false;
    }
    const bool append = s.report.AppendToReport == 1;
    std::string text;
    const bool built = Guarded(s.ask, "Program Error: ", " occured in CreateTempRptFile",
                               [&] { AppendSheetReport(s, text); });
    s.report.AppendToReport = 0;
    // A report that could not be built or written leaves the old file as it was.
    if (!built) return false;
    if (!WriteReportText(*path, text, append, error, s.doc.FailWritesAfterBytes)) {
        s.ask.Message(error);
        return false;
    }
    CountNumberOfPages(s);
    return true;
}

} // namespace mardex
