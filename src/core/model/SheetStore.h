#pragma once
// The in-memory model of the open sheet document: 26 sheets of 1801 row
// slots, every cell a text as it is shown and saved.
#include "model/TextBuffer.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

constexpr int MaxSheets = 26;
constexpr int RowSlots = 1801;        // rows 0..1800
constexpr int MaxDataRows = 1800;     // the end marker needs the last slot
constexpr int ColumnCount = 6;

enum Column : int {
    ColStation = 0,
    ColCode = 1,
    ColCut = 2,
    ColAddedCut = 3,
    ColFill = 4,
    ColAddedFill = 5,
};

inline constexpr std::string_view EndMarker = "-1";

struct Sheet {
    std::string TabName;
    int16_t MeasuredInEmbankment = 0;
    std::string BalanceFactor = "1.00";

    // The cell's text; "" for an unwritten slot. The view lasts until the
    // sheet is next written.
    std::string_view Cell(int column, int row) const
    {
        if (column < 0 || column >= ColumnCount || row < 0 || row >= RowsHeld()) return {};
        const Span span = rows_[static_cast<std::size_t>(row)].spans[column];
        return std::string_view(text_.data() + span.offset, span.size);
    }
    // The number the cell's text reads as (StationToNumber); 0 for an
    // unwritten slot.
    double Value(int column, int row) const
    {
        if (column < 0 || column >= ColumnCount || row < 0 || row >= RowsHeld()) return 0;
        return rows_[static_cast<std::size_t>(row)].values[column];
    }
    class RowCells;
    // The cells of a row below RowsHeld(), for a reader of many cells that
    // checks its rows against RowsHeld() itself, once a row.
    RowCells HeldRow(int row) const;
    // Writes one cell; rows outside 0..1800 or columns outside 0..5 throw
    // std::out_of_range (the store never grows past its slots). The text may
    // be a view of one of the sheet's own cells.
    void SetCell(int column, int row, std::string_view text);
    // The same for a reader that has just read the text's value: `value` must
    // be what StationToNumber gives for `text`.
    void SetCell(int column, int row, std::string_view text, double value);
    // A reader's whole row. Texts that lie inside `line` are copied with one
    // copy of the line; the others one by one.
    void SetRow(int row, const std::array<std::string_view, ColumnCount>& texts,
                const std::array<double, ColumnCount>& values, std::string_view line = {});
    // The same for a row whose texts are all non-empty views into `line`, the
    // usual row of a document.
    void SetLineRow(int row, std::string_view line, const std::array<std::string_view, ColumnCount>& texts,
                    const std::array<double, ColumnCount>& values);

    bool IsEndMarker(int row) const { return Cell(ColStation, row) == EndMarker; }
    // Every cell empty, then the end marker in row 0: a sheet taken into use
    // anew keeps nothing of what the slot held before (name, factor and flag stay).
    void ClearRows();
    // Index of the first row holding the end marker; RowSlots when there is none.
    int EndRow() const;
    // Rows past this one have never held a text.
    int RowsHeld() const { return static_cast<int>(rows_.size()); }
    // Bytes kept for the texts, with what edits have left behind.
    std::size_t TextBytes() const { return text_.size(); }

    // Same name, flags, factor and cell texts (however the texts are kept).
    friend bool operator==(const Sheet& a, const Sheet& b);

private:
    // Where a cell's text lies in text_.
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };
    struct Row {
        std::array<Span, ColumnCount> spans;
        std::array<double, ColumnCount> values;
    };

    Row& RowFor(int row);
    std::uint32_t Append(std::string_view text);
    void Put(int column, int row, std::string_view text, double value);
    void CompactIfWasteful();

    // Every cell's text, one after another; a rewritten cell leaves its old
    // bytes behind until they outweigh the live ones twice.
    TextBuffer text_;
    std::vector<Row> rows_;
    std::size_t garbage_ = 0;  // bytes of text_ no cell points at: old texts, blanks of copied row lines
};

// The cells of one row, valid while the sheet is unchanged; the column must
// be one of the six.
class Sheet::RowCells {
public:
    std::string_view Cell(int column) const
    {
        const Span span = row_->spans[static_cast<std::size_t>(column)];
        return std::string_view(text_ + span.offset, span.size);
    }
    double Value(int column) const { return row_->values[static_cast<std::size_t>(column)]; }

private:
    friend struct Sheet;
    RowCells(const char* text, const Row* row) : text_(text), row_(row) {}
    const char* text_;
    const Row* row_;
};

inline Sheet::RowCells Sheet::HeldRow(int row) const
{
    return RowCells(text_.data(), rows_.data() + row);
}

struct SheetStore {
    std::array<Sheet, MaxSheets> Sheets;

    Sheet& operator[](int index);
    const Sheet& operator[](int index) const;
};

// Upper-cases a typed code and picks the first of AH, BK, FB, SA, "-" that it
// contains; empty when it contains none (the store then keeps its code).
std::string NormaliseCode(std::string_view typed);

// Grid column -> store column (the identity).
inline int GetIndex(int gridColumn) { return gridColumn; }

// The stored form of a typed cell text, as StoreGridCell writes it:
// station column -> station mask of its value, numeric columns -> two
// decimals of their value, code column -> its normalised code. Returns
// false when nothing is to be stored (a "." alone, an unrecognised code).
bool StoredFormOfCell(int column, std::string_view text, std::string& stored);

} // namespace mardex
