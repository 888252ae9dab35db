#include "app/MainForm.h"

#include "model/Document.h"

#include "app/Guarded.h"
#include "app/HeaderFields.h"
#include "app/Session.h"
#include "formats/InputFile.h"
#include "text/NumberText.h"
#include "app/Units.h"

#include <filesystem>
#include <fstream>

namespace mardex {

namespace {
constexpr const char* GridHeaders[GridColumns] = {"Station", "Code", "Cut", "AddedCut", "Fill", "AddedFill"};
}

void ResizeGrid(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in ResizeGrid", [&] {
        for (int c = 0; c < GridColumns; ++c) s.form.grid.SetText(0, c, GridHeaders[c]);
    });
}

void Form_Load(Session& s)
{
    ResizeGrid(s);
    s.doc.CurrentSheet = 0;
    Sheet& sheet = s.store[0];
    sheet.SetCell(ColStation, 0, std::string(EndMarker));
    sheet.BalanceFactor = FormatAreaText("1.000");
    SetShrinkFactorText(s, sheet.BalanceFactor);
    SetCheck1(s, sheet.MeasuredInEmbankment);
    s.form.Frame1Enabled = true;
    s.doc.SheetCount = 1;
    s.doc.DataChanged = false;
    s.doc.CurrentFileName = "UNTITLED";
    s.form.Caption = "MARDEX :UNTITLED";
    // The strip starts with the one tab of sheet 0, named as UpDateGroupTab
    // names it.
    sheet.TabName = "Mardex 1";
    s.form.SelectedTab = 0;
    std::string error;
    const std::string& folder = s.SettingsFileFolder();
    const std::string settings = folder.empty() ? "mardex3.ini" : folder + "/mardex3.ini";
    if (auto reportFolder = ReadReportFolder(settings, error)) s.doc.ReportFolder = *reportFolder;
    else ErrorBox(s.ask, "Program Error: ", error, " occured in Form_Load");
}

void ResetMemory(Session& s)
{
    Guarded(s.ask, "Program Error: ", "(ResetMemory(formRelated))", [&] {
        Sheet& sheet = s.CurrentSheet();
        const int last = s.form.grid.Rows() - 2;
        for (int r = 0; r <= last && r < RowSlots; ++r)
            for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, r, "");
    });
}

void ResetMainForm(Session& s)
{
    Guarded(s.ask, "Program Error: ", "ResetMainForm(fileRelated)", [&] {
        GridModel& grid = s.form.grid;
        grid.SetRows(GridHeaderRows + 1);
        for (int c = 0; c < GridColumns; ++c) grid.SetText(GridHeaderRows, c, "");
        s.form.codeComboVisible = false;  // its cell is gone
        SetCheck1(s, 0);
        SetShrinkFactorText(s, FormatAreaText(s.CurrentSheet().BalanceFactor));
    });
}

void ResetAttribs(Session& s)
{
    Guarded(s.ask, "Program Error: ", "(ResetAttribs(formRelated))", [&] {
        s.doc.UnitSystem = 0;
        s.doc.CurrentFileName = "Untitled";
        s.doc.DocumentFile.clear();
        s.form.Caption = "MARDEX: Untitled";
        Sheet& sheet = s.CurrentSheet();
        sheet.BalanceFactor = FormatAreaText(s.form.txtShrinkFactor.text);
        sheet.MeasuredInEmbankment = 0;
        s.doc.DataChanged = false;
    });
}

// The strip shows the sheets' names: only the selection is left to reset.
void ClearTabStrip(Session& s)
{
    Guarded(s.ask, "Program Error: ", " ClearTabStrip(fileRelated)", [&] {
        s.form.SelectedTab = 0;
    });
}

void ResetallAttributes(Session& s)
{
    Guarded(s.ask, "Program Error: ", " occured in ResetallAttributes", [&] {
        ResetMemory(s);
        ResetMainForm(s);
        ResetAttribs(s);
        ClearTabStrip(s);
        s.doc.UnitSystem = 0;
        ClearUnits(s);
        s.form.Label5Visible = false;
        s.form.optEnglish = false;
        s.form.optMetric = false;
        s.form.Frame1Visible = true;
        // The emptied grid is the emptied current sheet.
        s.form.GridShowsSheet = true;
        s.form.Caption = "MARDEX: " + s.doc.CurrentFileName;
    });
}

void UpDateGroupTab(Session& s)
{
    Guarded(s.ask, "Program Error: ", " UpDateGroupTab(formRelated)", [&] {
        ClearTabStrip(s);
        // A sheet read without a name is given the one its tab shows.
        for (int i = 1; i <= s.doc.SheetCount; ++i) {
            Sheet& sheet = s.store[i - 1];
            sheet.TabName = TabCaption(sheet, i - 1);
        }
        s.form.TabStripVisible = true;
        s.form.TabStripEnabled = true;
    });
}

void FillMainForm(Session& s)
{
    Guarded(s.ask, "Program Error: ", "(FillMainForm(formRelated))", [&] {
        Sheet& sheet = s.CurrentSheet();
        SetShrinkFactorText(s, FormatAreaText(sheet.BalanceFactor));
        SetCheck1(s, sheet.MeasuredInEmbankment);
        for (int i = 0; i < 3; ++i) SetDescriText(s, i, s.doc.DescriptionFields[i]);
        GridModel& grid = s.form.grid;
        grid.EndEdit();
        for (int r = 0; !sheet.IsEndMarker(r); ++r) {
            if (r >= RowSlots) throw RuntimeFault("Subscript out of range");
            const int gridRow = r + GridHeaderRows;
            for (int c = 0; c < GridColumns; ++c) grid.SetText(gridRow, c, Trim(sheet.Cell(c, r)));
            if (gridRow + 1 >= grid.Rows()) grid.SetRows(grid.Rows() + 1);
        }
        s.form.GridShowsSheet = true;
        // The keys go on into the sheet just shown (after a tab click, Undo,
        // Redo): never into a header box, where typing would change the designer.
        s.form.Focus = FocusTarget::Grid;
    });
}

void ShowDocumentCaption(Session& s) { s.form.Caption = "MARDEX :" + s.doc.CurrentFileName; }

void ShowSheetDocumentMode(Session& s)
{
    s.doc.LogMode = false;
    s.form.GridVisible = true;
    s.form.GridEnabled = true;
    s.form.logExplanation.enabled = false;
    s.form.logExplanation.visible = false;
    s.form.mnuImportFileEnabled = true;
    s.form.importKind = ImportKind::SheetDocuments;
}

} // namespace mardex
