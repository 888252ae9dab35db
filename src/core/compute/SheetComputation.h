#pragma once
// The earthwork computation of one sheet as a value: the computed rows and
// the events between them in report order, the sheet's totals, and the
// messages shown while computing. The report writer turns it into text; the
// mass-haul analysis and the exports read the same rows.
#include "model/UnitSystem.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mardex {

struct Sheet;

// Total or Accumulated report (AccumulatedMode 0 / 1).
enum class ReportMode { Total, Accumulated };

enum class RowKind { Station, BalancePoint };

// Sums since the last balance point or forced balance: the "Bal. Totals"
// line of a balance point, the block of a forced balance.
struct PeriodTotals {
    double addedCut = 0, cut = 0, addedFill = 0, fill = 0, adjustedFill = 0, mass = 0;
};

// The texts of a computation view the cells of its sheet: read it while the
// sheet stands unchanged (every caller computes and reads at once).
struct ComputedRow {
    RowKind kind = RowKind::Station;
    int sheetRow = -1;        // the sheet row it was computed at
    double station = 0;  // printed as S(station)
    std::string_view code;    // trimmed; empty for a balance point
    std::string_view cutAreaText, fillAreaText;  // the cells as stored; "0.00" for a balance point
    // Volumes, adjusted fill and mass ordinates are 32-bit whole numbers.
    double addedCut = 0;
    int32_t cutVolume = 0;
    double addedFill = 0;
    int32_t fillVolume = 0;
    int32_t adjustedFill = 0;
    int32_t mass = 0;  // the mass ordinate
    // Sums since the first row; the Accumulated report prints these.
    double runningCut = 0, runningFill = 0, runningAdjusted = 0;

    bool forcedBalance = false;
    int32_t massBeforeReset = 0;  // a forced balance: the ordinate it set to 0
    bool inSkipArea = false;     // a row inside a skip area: no volumes
    bool equation = false;       // the row of a station equation (BK before AH, or AH before BK)
    // A balance point: its "Bal. Totals"; a forced balance: its block.
    PeriodTotals totals;
};

// S(station) as the row prints it, without its padding.
std::string PrintedStation(const ComputedRow& row);

// "+Skip Area From Station" (opening) or "To Station", before the row.
struct SkipAreaMark {
    bool opening = true;
    double station = 0;
};

// "Equation Sta. <back> BK = <ahead> AH" after the equation's row; the
// texts are the station cells as stored.
struct StationEquation {
    std::string_view back, ahead;
    bool gap = true;  // BK before AH; false: AH before BK (overlap)
};

using ComputedItem = std::variant<ComputedRow, SkipAreaMark, StationEquation>;

// The sheet's contribution to the grand summary.
struct SheetTotals {
    double unadjustedExcavation = 0, adjustedExcavation = 0, unadjustedFill = 0, adjustedFill = 0;
};

struct SheetComputation {
    ReportMode mode = ReportMode::Total;
    UnitSystem units = UnitSystem::English;
    std::string balanceFactor;  // the sheet's factor text, printed on every row and in the summary
    std::vector<ComputedItem> items;
    SheetTotals totals;
    // The messages the computation shows (station equations), in order.
    std::vector<std::string> messages;
    // Empty when the computation ran through; otherwise the failure's
    // description ("Overflow", "Type mismatch", ...), and the items stop there.
    std::string fault;
    // ReportLineCount as the window counts it: 1 a station row, 3 a skip mark
    // or an equation, 5 a balance point, 4 a forced balance.
    int32_t reportLineCount = 0;

    bool ok() const { return fault.empty(); }
    // The rows alone, in order (station rows and balance points).
    std::vector<const ComputedRow*> Rows() const;
};

SheetComputation ComputeSheet(const Sheet& sheet, UnitSystem units, ReportMode mode);
// The same into `result`, reusing its storage (a report of many sheets).
void ComputeSheet(const Sheet& sheet, UnitSystem units, ReportMode mode, SheetComputation& result);

// Takes the items of a computation in report order as they are made; each
// lasts only for the call (a report writer keeps none of them).
class ComputedItemSink {
public:
    virtual void Row(const ComputedRow& row) = 0;
    virtual void Mark(const SkipAreaMark& mark) = 0;
    virtual void Equation(const StationEquation& equation) = 0;

protected:
    ~ComputedItemSink() = default;
};

// The same computation handing its items to `sink` instead: `result.items`
// stays empty. After a fault the sink has had the items before it.
void ComputeSheet(const Sheet& sheet, UnitSystem units, ReportMode mode, SheetComputation& result,
                  ComputedItemSink& sink);

// The ten fields of a row's report line as printed, without their padding
// (`factor`: the sheet's factor text):
// station, cut area, added cut, cut, fill area, added fill, fill, factor,
// then adjusted fill and mass (Total) or mass and running adjusted fill
// (Accumulated). A balance point has nine: its adjusted fill stands in the
// factor's place and its mass follows.
std::vector<std::string> PrintedFields(const ComputedRow& row, ReportMode mode, std::string_view factor);

} // namespace mardex
