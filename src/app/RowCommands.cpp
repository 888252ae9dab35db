#include "app/RowCommands.h"

#include "app/Guarded.h"
#include "app/MainForm.h"
#include "app/Session.h"

#include <algorithm>

namespace mardex {

namespace {

void CopyRow(Sheet& sheet, int from, int to)
{
    for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, to, sheet.Cell(c, from));
}

void DeleteRow(Session& s, int R)
{
    Sheet& sheet = s.CurrentSheet();
    for (int k = R - GridHeaderRows; k + 1 < RowSlots && !sheet.IsEndMarker(k); ++k) CopyRow(sheet, k + 1, k);
    ResetMainForm(s);
    FillMainForm(s);
    GridModel& grid = s.form.grid;
    grid.SetRow(std::min(R, grid.Rows() - 1));
    s.form.Focus = FocusTarget::Grid;
    s.doc.DataChanged = true;
}

void InsertRow(Session& s, int R, int end)
{
    Sheet& sheet = s.CurrentSheet();
    for (int k = end; k >= R - GridHeaderRows; --k) CopyRow(sheet, k, k + 1);
    // The new row is empty, shown and saved as an empty row: no placeholder
    // text that typing would append to or that would be saved as a code.
    const int fresh = R - GridHeaderRows;
    for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, fresh, "");
    FillMainForm(s);
    GridModel& grid = s.form.grid;
    grid.SetRow(std::min(R, grid.Rows() - 1));
    s.form.Focus = FocusTarget::Grid;
    s.doc.DataChanged = true;  // the empty row is saved with the sheet
}

} // namespace

void InsertOrDeleteRow(Session& s, int16_t& mode)
{
    s.form.Focus = FocusTarget::Grid;
    Guarded(s.ask, "Program Error: ", " occured in InsertOrDeleteRow(EditMenu)", [&] {
        GridModel& grid = s.form.grid;
        const int R = grid.Row();
        // The grid emptied without a sheet shown has no row to act on.
        if (R < GridHeaderRows || !s.form.GridShowsSheet) return;
        const int end = s.CurrentSheet().EndRow();
        // The entry row below the data, or a row past it.
        const bool lastRow = R - GridHeaderRows >= end;
        if (mode == 1) {
            if (lastRow) s.ask.Message("Please do not delete the last row");
            else DeleteRow(s, R);
        } else {
            if (lastRow) s.ask.Message("Please do not insert the last row");
            else if (end >= MaxDataRows) s.ask.Message(FullSheetInsertMessage);
            else InsertRow(s, R, end);
        }
        grid.SetCol(0);
        s.form.Focus = FocusTarget::Grid;
    });
}

void mnuRowInsert_Click(Session& s)
{
    try {
        int16_t mode = 0;
        InsertOrDeleteRow(s, mode);
    } catch (const std::exception&) {
        s.ask.Message("Error occured in mnuRowInsert_click");
    }
}

void mnuRowDelete_Click(Session& s)
{
    try {
        int16_t mode = 1;
        InsertOrDeleteRow(s, mode);
    } catch (const std::exception&) {
        s.ask.Message(" Error occured in mnuRowDelete_Click");
    }
}

} // namespace mardex
