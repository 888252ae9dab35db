// The code combo Combo1 over the Code column of the grid.
#include "app/Guarded.h"
#include "app/Session.h"
#include "text/NumberText.h"
#include "app/GridEditor.h"

namespace mardex {

void Grid1_Click(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in Grid1_Click", [&] {
        const GridModel& grid = s.form.grid;
        if (grid.Col() != ColCode || !s.form.GridShowsSheet) {
            s.form.codeComboVisible = false;
            return;
        }
        s.form.codeComboVisible = true;
        const std::string& text = grid.Text(grid.Row(), grid.Col());
        if (!text.empty()) s.doc.LastCode = text;
        // The window places the combo over the current cell.
        if (grid.Row() >= GridHeaderRows) LoadComboBox(s);
        s.form.Focus = FocusTarget::CodeCombo;
    });
}

void LoadComboBox(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in LoadComboBox(Globals)", [&] {
        s.form.codeComboItems = {"SA", "FB", "AH", "BK", "-"};
        const GridModel& grid = s.form.grid;
        if (grid.Col() == ColCode && !s.doc.LastCode.empty()) {
            const std::string& text = grid.Text(grid.Row(), grid.Col());
            // An empty code cell proposes the code used last.
            s.form.codeComboText = Trim(text).empty() ? s.doc.LastCode : text;
        }
    });
}

namespace {
void TakeComboText(Session& s)
{
    GridModel& grid = s.form.grid;
    if (grid.Col() != ColCode || grid.Row() < GridHeaderRows || !s.form.GridShowsSheet) return;
    s.doc.LastCode = s.form.codeComboText;
    grid.SetText(grid.Row(), ColCode, s.doc.LastCode);
    std::string code = Trim(s.doc.LastCode);
    Sheet& sheet = s.CurrentSheet();
    const int storeRow = grid.Row() - GridHeaderRows;
    // A picked code is a change of the sheet like any typed one.
    if (sheet.Cell(ColCode, storeRow) != code) {
        sheet.SetCell(ColCode, storeRow, std::move(code));
        s.doc.DataChanged = true;
    }
}
} // namespace

void Combo1_Click(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in Combo1_Click", [&] { TakeComboText(s); });
}

void Combo1_LostFocus(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in Combo1_LostFocus", [&] {
        TakeComboText(s);
        s.form.codeComboVisible = false;
    });
}

} // namespace mardex
