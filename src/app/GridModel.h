#pragma once
// The plain state of the main window's grid: texts by grid row and column,
// the current cell and the top visible row. Rows 0 and 1 are the header and
// units rows; grid row r >= 2 shows store row r - 2 of the current sheet.
// The Qt layer mirrors it; changes are collected so a view can apply only
// what changed after each handler.
#include <array>
#include <string>
#include <vector>

namespace mardex {

constexpr int GridColumns = 6;
constexpr int GridHeaderRows = 2;

class GridModel {
public:
    GridModel();

    int Rows() const { return static_cast<int>(rows_.size()); }
    void SetRows(int count);  // keeps the texts of the rows that stay

    const std::string& Text(int row, int col) const;
    void SetText(int row, int col, std::string text);

    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetRow(int row);
    void SetCol(int col);
    int TopRow() const { return topRow_; }
    void SetTopRow(int row) { topRow_ = row; changes_.topRow = true; }
    // The view scrolled by itself: remember where, without a change to mirror.
    void NoteTopRow(int row) { topRow_ = row; }

    // Typing in a cell: from its first key until it is committed, left or
    // shown anew, keys go on into its text; the first key typed into any
    // other cell replaces the text it holds. What the cell showed and stored
    // before is kept for Escape.
    struct EditStart {
        std::string shown, stored;
        bool documentChanged = false;
        bool entryRow = false;  // the row was the entry row below the data
    };
    bool Editing() const { return editing_ && editRow_ == row_ && editCol_ == col_; }
    void BeginEdit(EditStart before);
    void EndEdit() { editing_ = false; }
    const EditStart& EditStarted() const { return editStart_; }

    // Changes since the last TakeChanges(): cells written, and whether the row
    // count, the current cell or the top row moved.
    struct Changes {
        std::vector<std::pair<int, int>> cells;
        bool rows = false, current = false, topRow = false, all = false;
    };
    Changes TakeChanges();
    void MarkAllChanged() { changes_.all = true; }

private:
    std::vector<std::array<std::string, GridColumns>> rows_;
    int row_ = 0, col_ = 0, topRow_ = GridHeaderRows;
    bool editing_ = false;
    int editRow_ = 0, editCol_ = 0;
    EditStart editStart_;
    Changes changes_;
};

} // namespace mardex
