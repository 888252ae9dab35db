#include "app/GridClipboard.h"

#include "app/Session.h"
#include "text/NumberText.h"
#include "text/TextLines.h"
#include "app/GridEditor.h"
#include "app/GridModel.h"

#include <algorithm>
#include <vector>

namespace mardex {

namespace {

using Block = std::vector<std::vector<std::string>>;

const char* const ColumnCaptions[] = {"Station", "Code", "Cut", "AddedCut", "Fill", "AddedFill"};

Block SplitBlock(std::string_view text)
{
    Block block;
    ForEachLine(text, [&](std::string_view line) {
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', from);
            cells.emplace_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
            if (tab == std::string_view::npos) break;
            from = tab + 1;
        }
        block.push_back(std::move(cells));
    });
    return block;
}

// What typing could have put into the cell: the keys the grid accepts, at
// most one "+" and one "."; the Code column also takes the drop-down's "-".
bool Typeable(std::string_view text, int col)
{
    if (col == ColCode && text == "-") return true;
    int plus = 0, point = 0;
    for (const char c : text) {
        int16_t key = static_cast<unsigned char>(c);
        if (!IntOk(key)) return false;
        plus += c == '+';
        point += c == '.';
    }
    return plus <= 1 && point <= 1;
}

// The stored form as a commit leaves it: a known code normalised, another
// code as typed, empty cells as their empty stored forms.
std::string Committed(int col, const std::string& typed)
{
    if (col == ColCode) {
        const std::string code = NormaliseCode(typed);
        return typed.empty() ? "-" : code.empty() ? typed : code;
    }
    std::string stored;
    if (!StoredFormOfCell(col, typed == "." ? "" : typed, stored)) stored = col == ColStation ? FormatStation(0) : FormatArea(0);
    return stored;
}

bool PasteBlock(Session& s, const Block& block)
{
    GridModel& grid = s.form.grid;
    const int row = grid.Row(), col = grid.Col();
    if (!s.form.GridShowsSheet || row < GridHeaderRows || block.empty()) return false;
    std::size_t width = 0;
    for (const auto& line : block) width = std::max(width, line.size());
    if (col + static_cast<int>(width) > ColumnCount) {
        s.ask.Message("The pasted cells reach beyond the AddedFill column: nothing was pasted.");
        return false;
    }
    Sheet& live = s.CurrentSheet();
    const int end = std::min(live.EndRow(), MaxDataRows);
    const int first = row - GridHeaderRows;
    const int last = first + static_cast<int>(block.size()) - 1;
    if (first > end) return false;
    if (last >= MaxDataRows) {
        s.ask.Message(RowLimitMessage);
        return false;
    }

    Sheet pasted = live;
    for (int r = end; r <= last; ++r) {
        // A new row: what its untouched cells read as.
        pasted.SetCell(ColStation, r, FormatStation(0));
        pasted.SetCell(ColCode, r, "-");
        for (int c = ColCut; c <= ColAddedFill; ++c) pasted.SetCell(c, r, FormatArea(0));
    }
    for (std::size_t i = 0; i < block.size(); ++i)
        for (std::size_t j = 0; j < block[i].size(); ++j) {
            const int c = col + static_cast<int>(j);
            const std::string typed = Trim(block[i][j]);
            if (!Typeable(typed, c)) {
                s.ask.Message("Line " + std::to_string(i + 1) + " of the pasted text: \"" + typed +
                              "\" cannot be typed in the " + ColumnCaptions[c] + " column: nothing was pasted.");
                return false;
            }
            pasted.SetCell(c, first + static_cast<int>(i), Committed(c, typed));
        }
    const int newEnd = std::max(end, last + 1);
    pasted.SetCell(ColStation, newEnd, std::string(EndMarker));

    // The order check of a commit, on the pasted rows and the row below them.
    std::swap(live, pasted);
    for (int n = std::max(first, 1); n <= std::min(last + 1, newEnd - 1); ++n) {
        if (CheckForAscendingOrder(s, n)) {
            std::swap(live, pasted);
            return false;
        }
    }

    if (grid.Rows() < newEnd + GridHeaderRows + 1) grid.SetRows(newEnd + GridHeaderRows + 1);
    for (int r = first; r < newEnd; ++r)
        for (int c = 0; c < ColumnCount; ++c) grid.SetText(r + GridHeaderRows, c, Trim(live.Cell(c, r)));
    s.doc.DataChanged = true;
    return true;
}

} // namespace

std::string CopyCells(const Session& s, int top, int left, int bottom, int right)
{
    const GridModel& grid = s.form.grid;
    top = std::max(top, GridHeaderRows);
    // A block reaching past the data (Select All) ends with the last data row:
    // the empty entry row below is no row of the sheet.
    const int lastDataRow = s.store[s.doc.CurrentSheet].EndRow() + GridHeaderRows - 1;
    bottom = std::min({bottom, grid.Rows() - 1, std::max(top, lastDataRow)});
    left = std::max(left, 0);
    right = std::min(right, ColumnCount - 1);
    std::string text;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            text += grid.Text(r, c);
        }
        text += "\r\n";
    }
    return text;
}

bool PasteCells(Session& s, std::string_view text)
{
    Block block = SplitBlock(text);
    // A spreadsheet ends its last line with a line break: no empty row for it.
    if (!block.empty() && block.back().size() == 1 && block.back()[0].empty()) block.pop_back();
    return PasteBlock(s, block);
}

std::string CutCells(Session& s, int top, int left, int bottom, int right)
{
    const std::string copied = CopyCells(s, top, left, bottom, right);
    const int end = s.CurrentSheet().EndRow() + GridHeaderRows;
    bottom = std::min(bottom, end - 1);
    if (copied.empty() || bottom < top) return copied;
    GridModel& grid = s.form.grid;
    const int row = grid.Row(), col = grid.Col();
    grid.SetRow(std::max(top, GridHeaderRows));
    grid.SetCol(std::max(left, 0));
    const Block empty(static_cast<std::size_t>(bottom - grid.Row() + 1),
                      std::vector<std::string>(static_cast<std::size_t>(std::min(right, ColumnCount - 1) - grid.Col() + 1)));
    const bool cleared = PasteBlock(s, empty);
    grid.SetRow(row);
    grid.SetCol(col);
    return cleared ? copied : std::string();
}

} // namespace mardex
