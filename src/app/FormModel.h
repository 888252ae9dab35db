#pragma once
// The plain state of the main window's controls (frmMain). Core handlers
// read and write it; the Qt window mirrors it after every handler.
#include "app/GridModel.h"

#include <array>
#include <string>
#include <vector>

namespace mardex {

struct TextBoxState {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool locked = false;  // read-only
};

// What File > Import reads; the menu caption follows it.
enum class ImportKind { SheetDocuments, Logs };

inline const char* ImportCaption(ImportKind kind)
{
    return kind == ImportKind::Logs ? "Import any other Log File" : "Import MDX File";
}

// Where the keyboard focus should go; the Qt layer applies it and resets it
// to None.
enum class FocusTarget { None, Grid, Designer, ProjectNo, ControlNo, ShrinkFactor, CodeCombo /* Combo1 */, Command1 };

struct FormModel {
    std::string Caption = "MARDEX :UNTITLED";

    std::array<TextBoxState, 3> txtDescri;  // designer, project no, control no
    TextBoxState txtShrinkFactor{"1.00"};
    bool Label4Visible = true;               // "Balance Factor:"
    int embankmentCheck = 0;  // Check1: "Earthwork measured in Embankment"

    bool optMetric = false, optEnglish = false;
    bool Frame1Visible = true, Frame1Enabled = true;
    std::string Label5Caption;
    bool Label5Visible = false;

    GridModel grid;
    bool GridVisible = true, GridEnabled = true;
    // Data rows the grid shows at once (the window keeps it current); used
    // to decide whether a row is visible.
    int GridVisibleRows = 15;
    // False while the grid was emptied without showing a sheet (right click on
    // the tabs, Group Delete): it takes no edits until a sheet is shown, so
    // typing cannot overwrite a sheet the user does not see.
    bool GridShowsSheet = true;
    // The code combo over the Code column (Combo1).
    bool codeComboVisible = false;
    std::string codeComboText;
    std::vector<std::string> codeComboItems;

    // The explanation text shown instead of the grid while a GEOPAK log is open.
    TextBoxState logExplanation{"", true, false, true};  // Text1

    // The captions are the document's (TabCaptions in app/TabStrip.h).
    int SelectedTab = 0;            // 0-based index of the selected tab
    bool TabStripVisible = true, TabStripEnabled = true;

    bool mnuFileSaveEnabled = true, mnuFileSaveAsEnabled = true, mnuEditEnabled = true;
    bool mnuImportFileEnabled = true;
    ImportKind importKind = ImportKind::SheetDocuments;  // mnuImportFile's caption
    bool mnuViewToolbarChecked = true, mnuViewStatusBarChecked = true;
    std::string StatusText = "Status";

    FocusTarget Focus = FocusTarget::None;
};

inline const std::string ExplanationText =
    "When a Geopak Earthwork Log file is opened, the baseline will become the default tab name.\r\n"
    "If another log file is imported with the same baseline name, you have an option to name the tab.\r\n"
    "To view the earthwork reports, click on the specific tab.\r\n";

} // namespace mardex
