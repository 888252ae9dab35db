#include "compute/SheetReportWriter.h"

#include "compute/ReportBlocks.h"
#include "compute/ReportCursor.h"
#include "formats/ReportPaging.h"
#include "model/SheetStore.h"
#include "text/ReportFields.h"

#include <algorithm>
#include <cstring>

namespace mardex {

namespace {

// What every station row of a sheet prints alike, prepared once per sheet.
struct RowFormat {
    bool total = true;
    std::string factorField;  // N(the sheet's factor)
    // Two blanks and the factor field, blank-filled, copied whole into a
    // row; only when it is that short and holds no "#" or line end.
    char factorPiece[24] = {};
    std::size_t factorPieceSize = 0;
    bool shortFactor = false;

    RowFormat(ReportMode mode, std::string_view balanceFactor)
        : total(mode == ReportMode::Total), factorField(NumberField(balanceFactor))
    {
        factorPieceSize = 2 + factorField.size();
        shortFactor = factorPieceSize <= sizeof factorPiece &&
                      factorField.find_first_of("#\r\n") == std::string::npos;
        if (!shortFactor) return;
        std::memset(factorPiece, ' ', sizeof factorPiece);
        factorField.copy(factorPiece + 2, factorField.size());
    }
};

// The room a row of short fields takes at most: the station, nine fields
// of at most 17 characters with their blanks, the factor piece, CR LF (and
// the room a field's copy uses past its end).
constexpr std::size_t ShortRowRoom = 18 + 8 * (2 + 17) + 24 + 2 + 16;

// The Total report's field or the Accumulated report's, kept in its own type
// (volumes and ordinates are whole numbers, running sums are not).
template <bool Total, class TotalField, class AccumulatedField>
[[gnu::always_inline]] inline auto Pick(TotalField total, AccumulatedField accumulated)
{
    if constexpr (Total) return total;
    else return accumulated;
}

// A station row written straight into the report when every field has its
// short form: the line then holds no "#" and no line end of its own. False
// (nothing kept) otherwise. One copy for each mode: the mode picks fields.
// It is WriteStation's line to the byte: each field is the plain one
// (ReportFields.h, checked by fuzz_fast_paths), the order and blanks are
// WriteStation's (checked by the golden reports).
template <bool Total>
[[gnu::always_inline]] inline bool PutShortRowOf(ReportCursor& cursor, const ComputedRow& row, const RowFormat& f)
{
    char* p = PutShortStationText(cursor.Room(ShortRowRoom), row.station);
    if (!p || !(p = PutShortAreaField<2>(p, row.cutAreaText))) return false;
    if (!(p = PutShortNumberField<2>(p, row.addedCut))) return false;
    if (!(p = PutShortNumberField<2>(p, Pick<Total>(row.cutVolume, row.runningCut)))) return false;
    if (!(p = PutShortAreaField<2>(p, row.fillAreaText))) return false;
    if (!(p = PutShortNumberField<2>(p, row.addedFill))) return false;
    if (!(p = PutShortNumberField<2>(p, Pick<Total>(row.fillVolume, row.runningFill)))) return false;
    std::memcpy(p, f.factorPiece, sizeof f.factorPiece);
    p += f.factorPieceSize;
    if (!(p = PutShortNumberField<2>(p, Pick<Total>(row.adjustedFill, row.mass)))) return false;
    if (!(p = PutShortNumberField<2>(p, Pick<Total>(row.mass, row.runningAdjusted)))) return false;
    std::memcpy(p, "\r\n", 2);
    cursor.Advance(p + 2);
    return true;
}

[[gnu::always_inline]] inline bool PutShortRow(ReportCursor& cursor, const ComputedRow& row, const RowFormat& f)
{
    if (!f.shortFactor) return false;
    return f.total ? PutShortRowOf<true>(cursor, row, f) : PutShortRowOf<false>(cursor, row, f);
}

// The same row through the general field formats (huge values, texts that
// are no masks).
void WriteStation(std::string& out, const ComputedRow& row, const RowFormat& f)
{
    FieldLine line;
    line.RightAligned(PrintedStation(row), 8);
    auto next = [&line](auto value) {
        line.Blanks(2);
        line.NumberField(value);
    };
    next(row.cutAreaText);
    next(row.addedCut);
    next(f.total ? row.cutVolume : row.runningCut);
    next(row.fillAreaText);
    next(row.addedFill);
    next(f.total ? row.fillVolume : row.runningFill);
    line.Blanks(2);
    line.RightAligned(f.factorField, 9);
    next(f.total ? row.adjustedFill : row.mass);
    next(f.total ? row.mass : row.runningAdjusted);
    line.AppendTo(out, ReportLineEnd);
}

void WriteForced(std::string& out, const ComputedRow& row)
{
    const PeriodTotals& p = row.totals;
    WriteForcedBalance(out, {row.station, p.addedCut, p.cut, p.addedFill, p.fill, p.adjustedFill, p.mass});
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

// The items of a computation, in order: most rows straight into the
// report, everything else through a scratch text copied after it.
class ItemWriter final : public ComputedItemSink {
public:
    ItemWriter(ReportCursor& into, ReportMode reportMode, std::string_view balanceFactor, ReportDrain* pieces)
        : cursor(into), mode(reportMode), format(reportMode, balanceFactor), drain(pieces)
    {
    }
    int64_t drawnLines = 0;

    void Row(const ComputedRow& row) override
    {
        if (row.kind == RowKind::Station && PutShortRow(cursor, row, format)) {
            ++drawnLines;
            // Nearly every row: one line of short fields, and nothing after it.
            if (!row.forcedBalance) {
                if (drain) cursor.DrainAbove(*drain);
                return;
            }
        } else if (row.kind == RowKind::BalancePoint) {
            WriteBalance(scratch, row, mode);
        } else {
            WriteStation(scratch, row, format);
        }
        if (row.forcedBalance) WriteForced(scratch, row);
        Pass();
    }
    void Mark(const SkipAreaMark& mark) override
    {
        if (mark.opening) WriteSkipOpening(scratch, mark.station);
        else WriteSkipClosing(scratch, mark.station);
        Pass();
    }
    void Equation(const StationEquation& e) override
    {
        WriteEquation(scratch, e.back, e.ahead, e.gap);
        Pass();
    }

private:
    ReportCursor& cursor;
    ReportMode mode;
    RowFormat format;
    ReportDrain* drain;
    std::string scratch;

    // Whole lines in the scratch text go into the report, counted; the
    // report ends with a whole line here, where it may be handed on.
    void Pass()
    {
        if (!scratch.empty()) {
            drawnLines += DrawnLines(scratch);
            cursor.Append(scratch);
            scratch.clear();
        }
        if (drain) cursor.DrainAbove(*drain);
    }
};

int64_t WriteHeading(std::string& out, const ReportHeading& heading)
{
    const std::size_t start = out.size();
    ReportMetadata m;
    m.Designer = heading.descriptionFields[0];
    m.ProjectNo = heading.descriptionFields[1];
    m.ControlNo = heading.descriptionFields[2];
    m.TabName = heading.tabCaption;
    m.UnitSystem = UnitNumber(heading.units);
    m.Embankment = heading.embankment;
    WriteMetadata(out, m);
    return DrawnLines(std::string_view(out).substr(start));
}

int64_t WriteSummary(std::string& out, UnitSystem units, const SheetTotals& grandTotals, std::string_view factor)
{
    const std::size_t start = out.size();
    WriteGrandSummary(out, UnitNumber(units), grandTotals.unadjustedExcavation, grandTotals.adjustedExcavation,
                      grandTotals.unadjustedFill, grandTotals.adjustedFill, factor);
    return DrawnLines(std::string_view(out).substr(start));
}

// A row line is about 110 characters.
constexpr std::size_t LineRoom = 112;

} // namespace

int64_t WriteSheetReport(std::string& out, const SheetComputation& c, const ReportHeading& heading,
                         const SheetTotals& grandTotals)
{
    int64_t drawnLines = WriteHeading(out, heading);
    {
        ReportCursor cursor(out, c.items.size() * LineRoom + ShortRowRoom);
        ItemWriter writer(cursor, c.mode, c.balanceFactor, nullptr);
        for (const ComputedItem& item : c.items) {
            if (const auto* row = std::get_if<ComputedRow>(&item)) writer.Row(*row);
            else if (const auto* mark = std::get_if<SkipAreaMark>(&item)) writer.Mark(*mark);
            else writer.Equation(std::get<StationEquation>(item));
        }
        drawnLines += writer.drawnLines;
    }
    return drawnLines + WriteSummary(out, c.units, grandTotals, c.balanceFactor);
}

int64_t ComputeAndWriteSheetReport(std::string& out, const Sheet& sheet, ReportMode mode,
                                   const ReportHeading& heading, SheetComputation& computed, ReportDrain* drain)
{
    int64_t drawnLines = WriteHeading(out, heading);
    {
        const std::size_t expected = static_cast<std::size_t>(sheet.RowsHeld()) * LineRoom;
        ReportCursor cursor(out, (drain ? std::min(expected, drain->pieceSize) : expected) + ShortRowRoom);
        ItemWriter writer(cursor, mode, sheet.BalanceFactor, drain);
        ComputeSheet(sheet, heading.units, mode, computed, writer);
        drawnLines += writer.drawnLines;
    }
    if (!computed.ok()) return drawnLines;
    return drawnLines + WriteSummary(out, computed.units, computed.totals, computed.balanceFactor);
}

} // namespace mardex
