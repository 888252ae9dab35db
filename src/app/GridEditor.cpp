#include "app/GridEditor.h"

#include "app/ErrorNumber.h"
#include "app/Guarded.h"
#include "app/Session.h"
#include "text/NumberText.h"

#include <algorithm>
#include <vector>

namespace mardex {

namespace {

// A grid row whose store slot is the last one (row 1800) can only hold the
// end marker of a full sheet.
bool BeyondLastDataRow(int gridRow) { return gridRow - GridHeaderRows >= MaxDataRows; }

// The slot one below the grid's last row takes the end marker when the last
// row has been written.
void MarkEndBelowLastRow(Session& s)
{
    const int slot = s.form.grid.Rows() - GridHeaderRows;
    if (slot < RowSlots) s.CurrentSheet().SetCell(ColStation, slot, std::string(EndMarker));
}

bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

// The data a grid handler can change in the current sheet: the rows around
// the current one, up to the end marker when it lies among them (a handler
// writes nowhere else, and moves the end only there). Only a change of them
// marks the document changed; moving over cells and committing them
// unchanged does not.
class RowsWatch {
public:
    RowsWatch(const Sheet& sheet, int gridRow)
        : sheet_(sheet), first_(std::max(0, gridRow - GridHeaderRows - 1)),
          last_(std::min(RowSlots - 1, gridRow - GridHeaderRows + 1)), before_(Cells())
    {
    }
    bool Changed() const
    {
        std::size_t at = 0;
        bool same = true;
        ForEachCell([&](std::string_view cell) { same = same && at < before_.size() && before_[at++] == cell; });
        return !same || at != before_.size();
    }

private:
    template <class F> void ForEachCell(F&& f) const
    {
        for (int r = first_; r <= last_; ++r) {
            if (sheet_.IsEndMarker(r)) {
                f(EndMarker);  // rows past it are no data
                return;
            }
            for (int c = 0; c < ColumnCount; ++c) f(sheet_.Cell(c, r));
        }
    }
    std::vector<std::string> Cells() const
    {
        std::vector<std::string> cells;
        cells.reserve(3 * ColumnCount);
        ForEachCell([&](std::string_view cell) { cells.emplace_back(cell); });
        return cells;
    }
    const Sheet& sheet_;
    int first_, last_;
    std::vector<std::string> before_;
};

bool IsBlankGridRow(const GridModel& grid, int gridRow)
{
    for (int c = 0; c < GridColumns; ++c)
        if (!Trim(grid.Text(gridRow, c)).empty()) return false;
    return true;
}

GridModel::EditStart EditStartOf(Session& s, int row, int col)
{
    const Sheet& sheet = s.CurrentSheet();
    const int storeRow = row - GridHeaderRows;
    return {s.form.grid.Text(row, col), std::string(sheet.Cell(GetIndex(col), storeRow)), s.doc.DataChanged,
            sheet.IsEndMarker(storeRow)};
}

// The entry row below the data with nothing typed into it: committing or
// emptying its cells adds no row to the sheet.
bool IsEmptyEntryRow(Session& s, int gridRow)
{
    return s.CurrentSheet().IsEndMarker(gridRow - GridHeaderRows) && IsBlankGridRow(s.form.grid, gridRow);
}

} // namespace

bool IntOk(int16_t& key)
{
    static constexpr std::string_view accepted = "0123456789+.BbKkAaHhSsFf";
    if (key == KeyBackspace || key == KeyEnter) return true;
    if (key > 0 && key < 128 && accepted.find(static_cast<char>(key)) != std::string_view::npos) return true;
    key = 0;
    return false;
}

void Grid1_KeyPress(Session& s, int16_t& key)
{
    if (!s.form.GridShowsSheet) return;
    Guarded(s.ask, "Program Error: ", " occured in Grid1_KeyPress(frmMain)", [&] {
        GridModel& grid = s.form.grid;
        const int row = grid.Row(), col = grid.Col();
        if (row < GridHeaderRows) return;
        const RowsWatch watch(s.CurrentSheet(), row);
        std::string text = grid.Text(row, col);
        if (key != KeyEnter && !grid.Editing()) {
            // The first key into a cell that holds a committed value starts it
            // afresh, as in a spreadsheet: typing 35 over 27.00 gives 35.
            grid.BeginEdit(EditStartOf(s, row, col));
            int16_t probe = key;
            if (key != KeyBackspace && IntOk(probe)) text.clear();
        }
        if (key == '+' && Contains(text, '+')) return;
        if (key == '.' && Contains(text, '.')) return;
        if (BeyondLastDataRow(row)) {
            s.ask.Message(RowLimitMessage);
            key = 0;
            return;
        }
        bool movedByEnter = false;
        if (IntOk(key)) {
            if (key == KeyBackspace) {
                if (text.empty()) return;
                text.pop_back();
                grid.SetText(row, col, std::move(text));
            } else if (key == KeyEnter) {
                if (!CommitCell(s, row, col)) return;
                SetFocusToColumnOrRow(s, row, col);
                TopRowVisible(s, grid.Row());
                s.form.Focus = FocusTarget::Grid;
                movedByEnter = true;
            } else {
                grid.SetText(row, col, text + static_cast<char>(key));
            }
        }
        TopRowVisible(s, grid.Row());
        const int cur = grid.Row(), curCol = grid.Col();
        // Enter onto the fresh entry row below the data leaves it out of the
        // sheet: its slot keeps the end marker until something is typed there.
        if (movedByEnter && s.CurrentSheet().IsEndMarker(cur - GridHeaderRows) && grid.Text(cur, curCol).empty())
            return;
        if (!StoreGridCell(s, cur, curCol)) return;
        if (cur == grid.Rows() - 1) MarkEndBelowLastRow(s);
        if (watch.Changed()) s.doc.DataChanged = true;
    });
}

void Grid1_Escape(Session& s)
{
    if (!s.form.GridShowsSheet) return;
    Guarded(s.ask, "Program Error: ", " occured in Grid1_KeyPress(frmMain)", [&] {
        GridModel& grid = s.form.grid;
        if (!grid.Editing()) return;
        const GridModel::EditStart before = grid.EditStarted();
        const int row = grid.Row(), col = grid.Col();
        grid.SetText(row, col, before.shown);
        Sheet& sheet = s.CurrentSheet();
        const int storeRow = row - GridHeaderRows;
        sheet.SetCell(GetIndex(col), storeRow, before.stored);
        if (before.entryRow && IsBlankGridRow(grid, row)) {
            // The entry row typed into and escaped is the entry row again.
            for (int c = ColCode; c < ColumnCount; ++c) sheet.SetCell(c, storeRow, "");
            sheet.SetCell(ColStation, storeRow, EndMarker);
        }
        grid.EndEdit();
        s.doc.DataChanged = before.documentChanged;
    });
}

void Grid1_BeginEdit(Session& s)
{
    GridModel& grid = s.form.grid;
    if (!s.form.GridShowsSheet || grid.Row() < GridHeaderRows || grid.Editing()) return;
    grid.BeginEdit(EditStartOf(s, grid.Row(), grid.Col()));
}

void Grid1_PageKey(Session& s, int key)
{
    if (!s.form.GridShowsSheet) return;
    GridModel& grid = s.form.grid;
    const int last = grid.Rows() - 1;
    const int page = std::max(1, s.form.GridVisibleRows - 1);
    int row = grid.Row();
    switch (key) {
    case KeyPageUp: row = std::max(GridHeaderRows, row - page); break;
    case KeyPageDown: row = std::min(last, row + page); break;
    case KeyHome: row = GridHeaderRows; break;  // Ctrl+Home
    case KeyEnd: row = last; break;             // Ctrl+End: the entry row below the data
    default: return;
    }
    if (row < GridHeaderRows) return;
    grid.SetRow(row);
    if (key == KeyHome || key == KeyEnd) grid.SetCol(0);
    const int visible = std::max(1, s.form.GridVisibleRows);
    if (row < grid.TopRow() || row >= grid.TopRow() + visible)
        grid.SetTopRow(std::max(GridHeaderRows, key == KeyPageUp || key == KeyHome ? row : row - visible + 1));
}

bool CommitCell(Session& s, int row, int col)
{
    bool accepted = true;
    Guarded(s.ask, "Program Error: ", " occured in the frmMain(GridRelated)", [&] {
        if (row < GridHeaderRows) return;
        if (BeyondLastDataRow(row)) {
            s.ask.Message(RowLimitMessage);
            accepted = false;
            return;
        }
        GridModel& grid = s.form.grid;
        grid.SetRow(row);
        grid.SetCol(col);
        grid.EndEdit();
        if (IsEmptyEntryRow(s, row)) return;
        const RowsWatch watch(s.CurrentSheet(), row);
        if (CheckWhetherItIsLastLine(s, row, col)) {
            accepted = false;
            return;
        }
        FormatGridEntries(s, row, col);
        if (!StoreGridCell(s, row, col)) {
            accepted = false;
            return;
        }
        if (row == grid.Rows() - 1) MarkEndBelowLastRow(s);
        if (watch.Changed()) s.doc.DataChanged = true;
    });
    return accepted;
}

bool CheckWhetherItIsLastLine(Session& s, int row, int col)
{
    bool refused = false;
    Guarded(s.ask, "Program Error: ", " occured in CheckwhetherItIsLastLine", [&] {
        if (row < GridHeaderRows) return;
        GridModel& grid = s.form.grid;
        grid.SetRow(row);
        grid.SetCol(col);
        const std::string& text = grid.Text(row, col);
        Sheet& sheet = s.CurrentSheet();
        if (col == ColCode) {
            std::string code = Trim(text);
            if (code.empty()) code = "-";
            grid.SetText(row, col, code);
            // As typed; the commit's store step replaces it by a recognised code.
            sheet.SetCell(ColCode, row - GridHeaderRows, code);
        } else if (col >= ColCut) {
            std::string trimmed = Trim(text);
            grid.SetText(row, col, trimmed);
            sheet.SetCell(col, row - GridHeaderRows, std::move(trimmed));
        } else if (row == GridHeaderRows) {
            if (StationToNumber(text) == 0) grid.SetText(row, col, "00+00.00");
        } else if (CheckForAscendingOrder(s, row - GridHeaderRows)) {
            // The refused station leaves the store with the cell: the file
            // holds the blank cell the grid shows, not the last keystroke's station.
            grid.SetText(row, col, "");
            const int storeRow = row - GridHeaderRows;
            if (IsBlankGridRow(grid, row) && sheet.IsEndMarker(storeRow + 1)) {
                // The last row, typed into and refused: it is the entry row again.
                for (int c = ColCode; c < ColumnCount; ++c) sheet.SetCell(c, storeRow, "");
                sheet.SetCell(ColStation, storeRow, EndMarker);
            } else {
                StoreGridCell(s, row, col);
            }
            refused = true;
        }
    });
    return refused;
}

void FormatGridEntries(Session& s, int row, int col)
{
    Guarded(s.ask, "Program Error: ", " occured in FormatGridEntries", [&] {
        if (row < GridHeaderRows) return;
        GridModel& grid = s.form.grid;
        const std::string trimmed = Trim(grid.Text(row, col));
        if (col == ColStation) grid.SetText(row, col, FormatStationText(trimmed));
        else if (col == ColCode) grid.SetText(row, col, trimmed);
        else grid.SetText(row, col, FormatAreaText(trimmed));
    });
}

bool StoreGridCell(Session& s, int row, int col)
{
    bool stored = false;
    Guarded(s.ask, "Program Error: ", " occured in StorageStructure", [&] {
        const int storeRow = row - GridHeaderRows;
        if (storeRow < 0 || storeRow >= RowSlots || s.doc.CurrentSheet < 0 || s.doc.CurrentSheet >= MaxSheets)
            throw RuntimeFault("Subscript out of range");
        if (storeRow >= MaxDataRows) {
            s.ask.Message(RowLimitMessage);
            return;
        }
        GridModel& grid = s.form.grid;
        grid.SetRow(row);
        grid.SetCol(col);
        const int column = GetIndex(col);
        Sheet& sheet = s.CurrentSheet();
        stored = true;
        // An empty cell of the entry row adds no row of zeros to the sheet.
        if (sheet.IsEndMarker(storeRow) && Trim(grid.Text(row, col)).empty()) return;
        std::string text;
        if (!StoredFormOfCell(column, grid.Text(row, col), text)) return;
        if (column != ColStation && sheet.IsEndMarker(storeRow)) {
            // A value typed into the entry row makes it a row of the sheet, its
            // station still blank: the file keeps what the grid shows.
            sheet.SetCell(ColStation, storeRow, "");
            if (storeRow + 1 < RowSlots) {
                sheet.SetCell(ColStation, storeRow + 1, EndMarker);
                for (int c = ColCode; c < ColumnCount; ++c) sheet.SetCell(c, storeRow + 1, "");
            }
        }
        sheet.SetCell(column, storeRow, std::move(text));
    });
    return stored;
}

void SetFocusToColumnOrRow(Session& s, int row, int col)
{
    // Failures of the move are ignored: the cursor stays where it is.
    try {
        GridModel& grid = s.form.grid;
        if (col < ColAddedFill) {
            grid.SetRow(row);
            grid.SetCol(col + 1);
        } else {
            ModifyRow(s, row);
            grid.SetCol(0);
        }
    } catch (const std::exception&) {
    }
}

void ModifyRow(Session& s, int row)
{
    Guarded(s.ask, "Program Error: ", " occured in ModifyRow(GridRelated)", [&] {
        GridModel& grid = s.form.grid;
        if (row + 1 >= grid.Rows()) {
            // The new row would lie past the sheet's last slot.
            if (row + 1 - GridHeaderRows >= RowSlots) {
                s.ask.Message(RowLimitMessage);
                return;
            }
            grid.SetRows(row + 2);
            const int slot = std::min(grid.Rows() - GridHeaderRows, RowSlots - 1);
            s.CurrentSheet().SetCell(ColStation, slot, std::string(EndMarker));
        }
        grid.SetRow(row + 1);
    });
}

void TopRowVisible(Session& s, int row)
{
    Guarded(s.ask, "Program Error: ", "(TopRowVisible(GridRelated))", [&] {
        if (row <= 13) return;
        GridModel& grid = s.form.grid;
        if (row >= grid.Rows()) row = grid.Rows() - 1;
        const int visible = std::max(1, s.form.GridVisibleRows);
        if (row < grid.TopRow() || row >= grid.TopRow() + visible)
            grid.SetTopRow(std::max(GridHeaderRows, row - 14));
    });
}

void GridControlKeyDown(Session& s, int key)
{
    GridModel& grid = s.form.grid;
    const int row = grid.Row(), col = grid.Col();
    switch (key) {
    case KeyLeft:
        if (col > 0) grid.SetCol(col - 1);
        break;
    case KeyRight:
        if (col < GridColumns - 1) grid.SetCol(col + 1);
        break;
    case KeyUp:
        if (row > GridHeaderRows) grid.SetRow(row - 1);
        break;
    case KeyDown:
        if (row < grid.Rows() - 1) grid.SetRow(row + 1);
        break;
    default:
        break;
    }
}

void Grid1_KeyUp(Session& s, int key, int)
{
    if (!s.form.GridShowsSheet) return;
    Guarded(s.ask, "Program Error: ", " occured in Grid1_Keyup(frmMain)", [&] {
        GridModel& grid = s.form.grid;
        const int r = grid.Row(), c = grid.Col();
        if (r >= GridHeaderRows) switch (key) {
        case KeyLeft: {
            const int left = std::min(c + 1, GridColumns - 1);
            grid.SetCol(left);
            CommitCell(s, r, left);
            grid.SetCol(left == ColAddedFill || left == ColCut ? left - 2 : std::max(0, left - 1));
            break;
        }
        case KeyRight: {
            const int left = std::max(c - 1, 0);
            grid.SetCol(left);
            CommitCell(s, r, left);
            grid.SetCol(left == ColAddedCut || left == ColStation ? left + 2 : std::min(left + 1, GridColumns - 1));
            break;
        }
        case KeyUp:
            if (r > GridHeaderRows) {
                grid.SetRow(r + 1);
                CommitCell(s, r + 1, c);
                grid.SetRow(r);
            } else {
                s.form.Focus = FocusTarget::ShrinkFactor;
            }
            break;
        case KeyDown:
            if (s.CurrentSheet().IsEndMarker(r - GridHeaderRows)) break;
            ModifyRow(s, r);
            grid.SetRow(r - 1);
            CommitCell(s, r - 1, c);
            grid.SetRow(r);
            break;
        case KeyDelete: {
            if (BeyondLastDataRow(r)) {
                s.ask.Message(RowLimitMessage);
                break;
            }
            const RowsWatch watch(s.CurrentSheet(), r);
            grid.EndEdit();
            grid.SetText(r, c, "");
            if (!StoreGridCell(s, r, c)) break;
            // The emptied code is no longer saved: the file holds what the grid shows.
            if (c == ColCode && !s.CurrentSheet().IsEndMarker(r - GridHeaderRows))
                s.CurrentSheet().SetCell(ColCode, r - GridHeaderRows, "");
            // The store has changed whatever the order check says, and a row
            // stored over the end marker moves the marker below it first: the
            // sheet never loses its end.
            if (watch.Changed()) s.doc.DataChanged = true;
            if (r == grid.Rows() - 1) MarkEndBelowLastRow(s);
            if (r != GridHeaderRows && CheckForAscendingOrder(s, r - GridHeaderRows)) {
                TopRowVisible(s, r);
                return;
            }
            break;
        }
        default:
            break;
        }
        TopRowVisible(s, grid.Row());
    });
}

void Command1_GotFocus(Session& s)
{
    if (s.form.GridShowsSheet) {
        GridModel& grid = s.form.grid;
        const int row = grid.Row(), col = grid.Col();
        if (CommitCell(s, row, col)) {
            SetFocusToColumnOrRow(s, row, col);
            TopRowVisible(s, s.form.grid.Row());
        }
    }
    s.form.Focus = FocusTarget::Grid;
}

namespace {

// The value of a station text for the order check: the part before the
// first tag letter when there is one.
double StationBefore(const std::string& text, std::size_t tag)
{
    return StationToNumber(std::string_view(text).substr(0, tag));
}

} // namespace

bool CheckForAscendingOrder(Session& s, int n)
{
    try {
        if (n == 0) return false;
        const Sheet& sheet = s.CurrentSheet();
        const std::string t = ToUpper(sheet.Cell(ColStation, n));
        double cur;
        if (t.find('A') != std::string::npos) return false;
        if (const auto b = t.find('B'); b != std::string::npos) {
            cur = StationBefore(t, b);
        } else {
            cur = StationToNumber(t);
            if (cur == -1) return false;
        }
        const std::string p = ToUpper(sheet.Cell(ColStation, n - 1));
        double prev;
        if (const auto a = p.find('A'); a != std::string::npos) {
            prev = StationBefore(p, a);
        } else if (const auto b = p.find('B'); b != std::string::npos) {
            prev = StationBefore(p, b);
        } else {
            prev = StationToNumber(p);
            if (prev == -1) return false;
        }
        if (cur < prev) {
            s.ask.Message(" Station : " + FormatStation(cur) + " is less then previous station :" + FormatStation(prev));
            return true;
        }
        return false;
    } catch (const std::exception& e) {
        ErrorBox(s.ask, "Program Error: ", std::to_string(ErrorNumber(e.what())), " occured in CheckForAscendingOrder(scraps)");
        return false;
    }
}

} // namespace mardex
