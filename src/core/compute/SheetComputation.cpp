#include "compute/SheetComputation.h"

#include "text/DecimalDigits.h"
#include "text/ReportFields.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"
#include "text/RuntimeFault.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mardex {

namespace {

[[noreturn]] void OutOfRange() { throw RuntimeFault("Subscript out of range"); }
[[noreturn]] void Overflow() { throw RuntimeFault("Overflow"); }

// Volumes, adjusted fill and mass ordinates are 32-bit whole numbers.

// nearest(x) as a 32-bit whole number, with no library call: exactly the
// x from -2^31 - 0.5 (rounding to the even -2^31) up to below 2^31 - 0.5
// round into range; any other x (NaN too) overflows.
int32_t NearestLong(double x)
{
    if (!(x >= -0x1p31 - 0.5 && x < 0x1p31 - 0.5)) Overflow();
    return static_cast<int32_t>(NearestBelow2Pow51(x));
}

// a + b as a 32-bit whole number, or an overflow: sums of 32-bit numbers
// are exact in 64 bits, and tested there (no floating-point step in the
// chain of mass ordinates from row to row).
int32_t AddLong(int64_t a, int64_t b)
{
    const int64_t sum = a + b;
    if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max()) Overflow();
    return static_cast<int32_t>(sum);
}

std::string Unpadded(std::string field)
{
    field.erase(0, field.find_first_not_of(' '));
    return field;
}

// What a balance point prints in its area columns.
constexpr std::string_view ZeroArea = "0.00";

// The row flags of one computation, all cleared at its start: a sheet's
// report never depends on the sheet computed before it.
struct RowFlags {
    bool skipActive = false;
    int skipState = 0;  // 0 none, 1 opening row, 2 closing row
    bool forcedBalance = false;
    int gap = 0;        // 1 BK row of BK-AH, 2 BK row closing AH-BK
    int overlap = 0;    // 1 AH row of AH-BK, 2 AH row closing BK-AH
    bool twoBack = false;
};

enum class SumMode { OneEach, SkipOpening, Next };  // "OE", "SA", "NA"

// The rows whose end areas a segment ending at `row` sums: `first` alone,
// or `first` and `second`. "NA" may clear the overlap flag.
struct SummedRows {
    int first = 0, second = -1;
};

[[gnu::always_inline]] inline SummedRows EndAreaRows(RowFlags& flags, int row, SumMode mode)
{
    if (mode == SumMode::OneEach) return {row - 2, row};
    if (mode == SumMode::SkipOpening) return {row - 1};
    if (flags.skipState == 2) return {row};
    if (flags.gap == 1) return {row - 1, row};
    if (flags.overlap == 1) {
        flags.overlap = 0;
        return {row - 1, row};
    }
    if (flags.twoBack) return {row - 2, row};
    return {row - 1, row};
}

// Everything the row loop carries from one row to the next.
class Computation {
public:
    Computation(const Sheet& computedSheet, SheetComputation& into, ComputedItemSink& itemSink, double balanceFactor)
        : sheet(computedSheet), result(into), sink(itemSink), factor(balanceFactor),
          volumeFactor(into.units == UnitSystem::English ? 1.8518519 : 50),
          accumulated(into.mode == ReportMode::Accumulated), rowsHeld(computedSheet.RowsHeld())
    {
    }

    void Run()
    {
        for (int r = 0;; ++r) {
            // Only the text "-1" ends the rows; its value is -1.
            if (sta(r) == -1 && text(ColStation, r) == EndMarker) break;
            Row(r);
        }
    }
    // The sheet's totals, as far as the rows have been computed: the sums
    // since the first row.
    void KeepTotals()
    {
        result.totals = {now.runningCut, now.runningCut, now.runningFill, now.runningAdjusted};
    }

private:
    const Sheet& sheet;
    SheetComputation& result;
    ComputedItemSink& sink;
    RowFlags flags;
    double factor;
    double volumeFactor;
    bool accumulated;

    // The station row being computed: its station, trimmed code, volumes,
    // mass ordinate and running sums (since the first row) are the loop's
    // own figures, and it is handed on as it stands.
    ComputedRow now;
    double previousStation = 0, length = 0, cutSum = 0, fillSum = 0;
    int32_t previousMass = 0;
    // Period sums since the last balance point or forced balance.
    double periodAddedCut = 0, periodAddedFill = 0, periodCut = 0, periodFill = 0, periodAdjusted = 0;

    // The sheet stands unchanged while it is computed: its rows are
    // checked against the rows it holds, counted once.
    const int rowsHeld;
    // The sheet keeps each cell's number beside its text; a row never
    // written reads as "" and 0.
    double value(int column, int row) const
    {
        if (static_cast<unsigned>(row) >= unsigned{RowSlots}) OutOfRange();
        return row < rowsHeld ? sheet.HeldRow(row).Value(column) : 0;
    }
    std::string_view text(int column, int row) const
    {
        if (static_cast<unsigned>(row) >= unsigned{RowSlots}) OutOfRange();
        return row < rowsHeld ? sheet.HeldRow(row).Cell(column) : std::string_view();
    }
    double sta(int row) const { return value(ColStation, row); }
    std::string_view code(int row) const
    {
        const std::string_view cell = text(ColCode, row);
        // Most codes are stored trimmed ("-", "SA").
        if (!cell.empty() && cell.front() != ' ' && cell.back() != ' ') return cell;
        return TrimmedView(cell);
    }

    void Count(int32_t lines) { result.reportLineCount += lines; }

    void AddedOf(int row)
    {
        now.addedCut = value(ColAddedCut, row);
        now.addedFill = value(ColAddedFill, row);
    }
    double EndAreaSum(int column, SummedRows rows) const
    {
        if (rows.second < 0) return value(column, rows.first);
        return value(column, rows.first) + value(column, rows.second);
    }
    // The cut sum is chosen first: when that clears the overlap flag, the
    // fill sum is chosen again without it.
    [[gnu::always_inline]] void Sums(int row, SumMode mode)
    {
        const int overlapBefore = flags.overlap;
        const SummedRows cutRows = EndAreaRows(flags, row, mode);
        const SummedRows fillRows = flags.overlap == overlapBefore ? cutRows : EndAreaRows(flags, row, mode);
        cutSum = EndAreaSum(ColCut, cutRows);
        fillSum = EndAreaSum(ColFill, fillRows);
    }
    void ClearSegment()
    {
        length = cutSum = fillSum = 0;
        now.cutVolume = now.fillVolume = now.adjustedFill = 0;
    }
    void Segment(int to, int from)
    {
        now.station = sta(to);
        previousStation = sta(from);
        length = (now.station - previousStation) / 100;
    }
    // A segment that carries no end areas (inside a skip area, after an equation).
    void EmptySegment(int to, int from)
    {
        now.station = sta(to);
        previousStation = sta(from);
        length = cutSum = fillSum = 0;
    }

    void Row(int r);
    void FirstRow();
    void ReadCode(int r);
    void ChooseSegment(int r);
    void Volumes();
    void BalancePoint();
    void StationRow(int r, int32_t massBeforeReset);
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
    const int32_t massBeforeReset = now.mass;
    if (flags.forcedBalance) {
        if (now.mass < 0) {
            periodAddedCut = std::abs(static_cast<double>(now.mass)) + now.addedFill;
            periodAddedFill = periodAddedFill - now.addedFill;
        } else if (now.mass > 0) {
            periodAddedFill = std::abs(static_cast<double>(now.mass)) + now.addedCut;
            periodAddedCut = periodAddedCut - now.addedCut;
        }
        now.mass = 0;
    } else if ((now.mass < 0 && previousMass > 0) || (now.mass > 0 && previousMass < 0)) {
        BalancePoint();
    }
    StationRow(r, massBeforeReset);
    AfterRow(r);
}

void Computation::FirstRow()
{
    now.code = code(0);
    now.station = sta(0);
    previousStation = now.station;
    ClearSegment();
    now.mass = 0;
    AddedOf(0);
}

void Computation::ReadCode(int r)
{
    now.code = code(r);
    const std::string_view c = now.code;
    // Most rows are "-": every code that acts has two letters.
    if (c.size() != 2) return;
    if (c == "SA") {
        flags.skipState = flags.skipActive ? 2 : 1;
        flags.skipActive = !flags.skipActive;
    } else if (c == "FB") {
        flags.forcedBalance = true;
    } else if (c == "BK") {
        if (code(r + 1) == "AH") {
            result.messages.push_back("Gap Equation where BK occures before AH");
            flags.gap = 1;
        } else {
            flags.gap = 2;
            ClearSegment();
        }
    } else if (c == "AH") {
        if (code(r + 1) == "BK") {
            result.messages.push_back("overlap equation Where AH occures before BK");
            result.messages.push_back("Ahead Station First when Station Equation occures");
            flags.overlap = 1;
        } else {
            flags.overlap = 2;
            ClearSegment();
        }
    }
}

void Computation::ChooseSegment(int r)
{
    const bool skipOpens = flags.skipActive && flags.skipState == 1;
    const bool skipCloses = !flags.skipActive && flags.skipState == 2;
    if (skipOpens || skipCloses) {
        sink.Mark(SkipAreaMark{skipOpens, sta(r)});
        Count(3);
        Segment(r, r - 1);
        Sums(r, skipOpens ? SumMode::SkipOpening : SumMode::Next);
        AddedOf(r);
        flags.skipState = 0;
    } else if (flags.skipActive && flags.skipState == 0) {
        EmptySegment(r, r - 1);
        now.addedCut = now.addedFill = 0;
    } else if (flags.gap == 1) {
        Segment(r, r - 1);
        Sums(r, SumMode::Next);
        AddedOf(r);
    } else if (flags.overlap == 2) {
        EmptySegment(r, r - 1);
        AddedOf(r);
        flags.overlap = 0;
    } else if (flags.overlap == 1) {
        Segment(r + 1, r - 1);
        Sums(r + 1, SumMode::OneEach);
        AddedOf(r + 1);
    } else if (flags.gap == 2) {
        EmptySegment(r - 1, r - 2);
        AddedOf(r - 1);
        flags.twoBack = true;
        flags.gap = 0;
    } else {
        Segment(r, r - 1);
        Sums(r, SumMode::Next);
        flags.twoBack = false;
        AddedOf(r);
    }
}

void Computation::Volumes()
{
    now.cutVolume = NearestLong(now.addedCut + length * cutSum * volumeFactor);
    now.fillVolume = NearestLong(length * fillSum * volumeFactor);
    const double fill = now.fillVolume;
    now.adjustedFill = NearestLong(now.addedFill + factor * fill);
    previousMass = now.mass;
    now.mass = AddLong(static_cast<int64_t>(now.mass) + now.cutVolume, -static_cast<int64_t>(now.adjustedFill));

    const double cut = now.cutVolume, adjusted = now.adjustedFill;
    periodAddedCut += now.addedCut;
    periodAddedFill += now.addedFill;
    periodCut += cut;
    periodFill += fill;
    periodAdjusted += adjusted;
    // The sheet's totals are these sums too (KeepTotals).
    now.runningCut += cut;
    now.runningFill += fill;
    now.runningAdjusted += adjusted;
}

void Computation::BalancePoint()
{
    const double before = std::abs(static_cast<double>(previousMass));
    const double t = before / (before + std::abs(static_cast<double>(now.mass)));
    const int32_t cutTo = NearestLong(t * now.cutVolume);
    const int32_t cutRest = NearestLong((1 - t) * now.cutVolume);
    const int32_t fillTo = NearestLong(t * now.fillVolume);
    const int32_t fillRest = NearestLong((1 - t) * now.fillVolume);
    const int32_t adjustedTo = NearestLong(now.adjustedFill * t);
    const int32_t adjustedRest = NearestLong((1 - t) * now.adjustedFill);
    const int32_t massAt = NearestLong(static_cast<double>(previousMass) + cutTo - adjustedTo);

    ComputedRow b;
    b.kind = RowKind::BalancePoint;
    b.station = previousStation + length * t * 100;
    b.cutAreaText = b.fillAreaText = ZeroArea;
    b.cutVolume = cutTo;
    b.fillVolume = fillTo;
    b.adjustedFill = adjustedTo;
    b.mass = massAt;
    PeriodTotals& p = b.totals;
    p.addedCut = periodAddedCut - now.addedCut;
    p.addedFill = periodAddedFill - now.addedFill;
    p.mass = massAt;
    if (!accumulated) {
        p.cut = periodCut - now.cutVolume + cutTo;
        p.fill = periodFill - now.fillVolume + fillTo;
        p.adjustedFill = periodAdjusted - now.adjustedFill + adjustedTo;
    } else {
        p.cut = now.runningCut - now.cutVolume + cutTo;
        p.fill = now.runningFill - now.fillVolume + fillTo;
        p.adjustedFill = now.runningAdjusted - now.adjustedFill + adjustedTo;
    }
    b.runningCut = now.runningCut - now.cutVolume + cutTo;
    b.runningFill = now.runningFill - now.fillVolume + fillTo;
    b.runningAdjusted = now.runningAdjusted - now.adjustedFill + adjustedTo;
    sink.Row(b);
    Count(5);

    periodAddedCut = now.addedCut;
    periodAddedFill = now.addedFill;
    periodCut = cutRest;
    periodFill = fillRest;
    periodAdjusted = adjustedRest;
    now.cutVolume = cutRest;
    now.fillVolume = fillRest;
    now.adjustedFill = adjustedRest;
}

void Computation::StationRow(int r, int32_t massBeforeReset)
{
    // The row's figures stand in it already; its cells and flags are set
    // anew, the forced balance's only when they change.
    ComputedRow& row = now;
    row.sheetRow = r;
    row.cutAreaText = text(ColCut, r);
    row.fillAreaText = text(ColFill, r);
    row.inSkipArea = flags.skipActive;
    row.equation = flags.gap == 1 || flags.overlap == 1;
    if (flags.forcedBalance) {
        row.forcedBalance = true;
        row.massBeforeReset = massBeforeReset;
        row.totals = {periodAddedCut, periodCut, periodAddedFill, periodFill, periodAdjusted,
                      static_cast<double>(now.mass)};
    } else if (row.forcedBalance) {
        row.forcedBalance = false;
        row.massBeforeReset = 0;
        row.totals = {};
    }
    sink.Row(row);
    Count(1);
}

void Computation::AfterRow(int r)
{
    if (flags.forcedBalance) {
        Count(4);
        periodAddedCut = periodAddedFill = periodCut = periodFill = periodAdjusted = 0;
        flags.forcedBalance = false;
    }
    if (flags.gap == 1) {
        sink.Equation(StationEquation{text(ColStation, r), text(ColStation, r + 1), true});
        Count(3);
        flags.gap = 0;
    } else if (flags.overlap == 1) {
        sink.Equation(StationEquation{text(ColStation, r + 1), text(ColStation, r), false});
        Count(3);
        flags.overlap = 0;
    }
}

} // namespace

std::string PrintedStation(const ComputedRow& row) { return StationText(row.station); }

std::vector<const ComputedRow*> SheetComputation::Rows() const
{
    std::vector<const ComputedRow*> rows;
    rows.reserve(items.size());
    for (const ComputedItem& item : items)
        if (const auto* row = std::get_if<ComputedRow>(&item)) rows.push_back(row);
    return rows;
}

namespace {

// The items kept in the computation, for the readers that go over them again.
class KeptItems final : public ComputedItemSink {
public:
    explicit KeptItems(std::vector<ComputedItem>& into) : items(into) {}
    void Row(const ComputedRow& row) override { items.emplace_back(row); }
    void Mark(const SkipAreaMark& mark) override { items.emplace_back(mark); }
    void Equation(const StationEquation& equation) override { items.emplace_back(equation); }

private:
    std::vector<ComputedItem>& items;
};

} // namespace

void ComputeSheet(const Sheet& sheet, UnitSystem units, ReportMode mode, SheetComputation& result)
{
    // Room for every row and a few events at once: no copies of a growing
    // vector (a full sheet's items are most of half a megabyte).
    const auto rows = static_cast<std::size_t>(sheet.RowsHeld());
    result.items.reserve(rows + rows / 8 + 8);
    KeptItems kept(result.items);
    ComputeSheet(sheet, units, mode, result, kept);
}

void ComputeSheet(const Sheet& sheet, UnitSystem units, ReportMode mode, SheetComputation& result,
                  ComputedItemSink& sink)
{
    result.mode = mode;
    result.units = units;
    result.balanceFactor = sheet.BalanceFactor;
    result.items.clear();
    result.totals = {};
    result.messages.clear();
    result.fault.clear();
    result.reportLineCount = 0;
    const auto factor = ParseNumber(sheet.BalanceFactor);
    if (!factor) {
        result.fault = "Type mismatch";
        return;
    }
    Computation computation(sheet, result, sink, *factor);
    try {
        computation.Run();
    } catch (const std::exception& e) {
        result.fault = e.what();
    }
    computation.KeepTotals();
}

SheetComputation ComputeSheet(const Sheet& sheet, UnitSystem units, ReportMode mode)
{
    SheetComputation result;
    ComputeSheet(sheet, units, mode, result);
    return result;
}

std::vector<std::string> PrintedFields(const ComputedRow& row, ReportMode mode, std::string_view factor)
{
    auto n = [](double v) { return NumberText(v); };
    auto area = [](std::string_view cell) { return Unpadded(NumberField(cell)); };
    if (row.kind == RowKind::BalancePoint)
        return {PrintedStation(row), "0.00", "0.00", n(row.cutVolume), "0.00", "0.00",
                n(row.fillVolume), n(row.adjustedFill), n(row.mass)};
    const bool total = mode == ReportMode::Total;
    return {PrintedStation(row),
            area(row.cutAreaText),
            n(row.addedCut),
            n(total ? row.cutVolume : row.runningCut),
            area(row.fillAreaText),
            n(row.addedFill),
            n(total ? row.fillVolume : row.runningFill),
            area(factor),
            total ? n(row.adjustedFill) : n(row.mass),
            total ? n(row.mass) : n(row.runningAdjusted)};
}

} // namespace mardex
