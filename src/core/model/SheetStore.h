#pragma once
// The in-memory model of the open sheet document: 26 sheets of 1801 row
// slots, every cell a text as it is shown and saved.
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
    // Cells[column][row]. Slots are allocated on first write so that an
    // untouched sheet costs nothing; reading an unwritten slot gives "".
    std::array<std::vector<std::string>, ColumnCount> Cells;
    // Values[column][row]: the number each cell's text reads as
    // (StationToNumber), kept in step with Cells by SetCell so that computing
    // a sheet reads no text again.
    std::array<std::vector<double>, ColumnCount> Values;
    std::string BalanceFactor = "1.00";

    const std::string& Cell(int column, int row) const;
    // The number the cell's text reads as; 0 for an unwritten slot.
    double Value(int column, int row) const
    {
        if (column < 0 || column >= ColumnCount || row < 0) return 0;
        const auto& col = Values[column];
        return row < static_cast<int>(col.size()) ? col[row] : 0;
    }
    // Writes one cell; rows outside 0..1800 or columns outside 0..5 throw
    // std::out_of_range (the store never grows past its slots).
    void SetCell(int column, int row, std::string text);
    // The same for a reader that has just read the text's value: `value` must
    // be what StationToNumber gives for `text`.
    void SetCell(int column, int row, std::string text, double value);
    // A reader's whole row: SetCell of each column, each text copied once.
    void SetRow(int row, const std::array<std::string_view, ColumnCount>& texts,
                const std::array<double, ColumnCount>& values);

    bool IsEndMarker(int row) const { return Cell(ColStation, row) == EndMarker; }
    // Index of the first row holding the end marker; RowSlots when there is none.
    int EndRow() const;

private:
    void Put(int column, int row, std::string&& text, double value);
};

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
