#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/GridEditor.h"
#include "text/NumberText.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

class GridEditing : public ::testing::Test {
protected:
    GridEditing() : s(ask)
    {
        WriteFile(dir / "mardex3.ini", "[Mardex]\nReportFolder = /tmp/\n");
        s.ProgramFolder = dir.path().string();
        Form_Load(s);
        s.form.grid.SetRow(2);
        s.form.grid.SetCol(0);
    }

    void Type(const std::string& keys)
    {
        for (char c : keys) {
            int16_t key = c == '\n' ? static_cast<int16_t>(KeyEnter) : static_cast<int16_t>(c);
            Grid1_KeyPress(s, key);
            Grid1_KeyUp(s, 0, 0);
        }
    }
    void Press(int key)
    {
        GridControlKeyDown(s, key);
        Grid1_KeyUp(s, key, 0);
    }
    std::string Stored(int col, int row) { return std::string(s.CurrentSheet().Cell(col, row)); }
    const std::string& Shown(int row, int col) { return s.form.grid.Text(row, col); }

    TempDir dir;
    ScriptedPrompter ask;
    Session s;
};

TEST_F(GridEditing, EveryKeystrokeOfAStationIsStoredAndEnterFormatsAndMovesToCode)
{
    const char* expected[] = {"00+01.000", "00+12.000", "01+23.000", "12+34.000"};
    for (int i = 0; i < 4; ++i) {
        Type(std::string(1, "1234"[i]));
        EXPECT_EQ(Stored(ColStation, 0), expected[i]);
    }
    EXPECT_EQ(Shown(2, 0), "1234");
    EXPECT_TRUE(s.doc.DataChanged);
    Type("\n");
    EXPECT_EQ(Shown(2, 0), "12+34.000");
    EXPECT_EQ(Stored(ColStation, 0), "12+34.000");
    EXPECT_EQ(s.form.grid.Row(), 2);
    EXPECT_EQ(s.form.grid.Col(), ColCode);
    EXPECT_EQ(s.CurrentSheet().EndRow(), 1);
}

TEST_F(GridEditing, SecondPlusOrPointAndForeignKeysAreIgnored)
{
    Type("1+2+3");
    EXPECT_EQ(Shown(2, 0), "1+23");
    s.form.grid.SetCol(ColCut);
    Type("1.5.2- x");
    EXPECT_EQ(Shown(2, ColCut), "1.52");
    EXPECT_EQ(Stored(ColCut, 0), "1.52");
    for (char c : std::string("- xZ,")) {
        int16_t key = c;
        EXPECT_FALSE(IntOk(key)) << c;
        EXPECT_EQ(key, 0);
    }
    for (char c : std::string("09+.BbKkAaHhSsFf\b\r")) {
        int16_t key = c;
        EXPECT_TRUE(IntOk(key)) << c;
        EXPECT_EQ(key, c);
    }
}

TEST_F(GridEditing, BackspaceRemovesTheLastCharacterAndStoresTheRest)
{
    Type("125\b");
    EXPECT_EQ(Shown(2, 0), "12");
    EXPECT_EQ(Stored(ColStation, 0), "00+12.000");
}

TEST_F(GridEditing, EnterInAddedFillOfTheLastRowAppendsAnEntryRowOutsideTheSheet)
{
    Type("1000\n\n1\n2\n3\n4\n");
    EXPECT_EQ(s.form.grid.Rows(), 4);
    EXPECT_EQ(s.form.grid.Row(), 3);
    EXPECT_EQ(s.form.grid.Col(), 0);
    EXPECT_EQ(Shown(3, 0), "");
    // The new row is the empty entry row: the sheet still has one row.
    EXPECT_EQ(s.CurrentSheet().EndRow(), 1);
    EXPECT_EQ(Stored(ColCode, 0), "-");
    EXPECT_EQ(Stored(ColAddedFill, 0), "4.00");
    Type("1100");
    EXPECT_EQ(Stored(ColStation, 1), "11+00.000");
    EXPECT_EQ(s.CurrentSheet().EndRow(), 2);
}

TEST_F(GridEditing, ALowerStationShowsTheOrderMessageEmptiesTheCellAndKeepsTheCursor)
{
    Type("1000\n\n\n\n\n\n");
    ask.Then(Says(" Station : 09+50.000 is less then previous station :10+00.000"));
    Type("950\n");
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(Shown(3, 0), "");
    EXPECT_EQ(s.form.grid.Row(), 3);
    EXPECT_EQ(s.form.grid.Col(), 0);
    // The refused row is the empty entry row again: nothing of it is saved.
    EXPECT_EQ(s.CurrentSheet().EndRow(), 1);
}

TEST_F(GridEditing, AZeroFirstStationShowsItsShortForm)
{
    Type("\n");  // Enter on the empty entry row adds no row of zeros
    EXPECT_EQ(s.CurrentSheet().EndRow(), 0);
    s.form.grid.SetCol(ColStation);
    Type("0\n");
    EXPECT_EQ(Shown(2, 0), "00+00.00");
    EXPECT_EQ(Stored(ColStation, 0), "00+00.000");
}

TEST_F(GridEditing, EqualStationsPass)
{
    Type("1000\n\n\n\n\n\n1000\n");
    EXPECT_EQ(Shown(3, 0), "10+00.000");
    EXPECT_EQ(s.form.grid.Col(), ColCode);
}

TEST_F(GridEditing, ArrowsSkipTheCodeAndFillColumns)
{
    Press(KeyRight);
    EXPECT_EQ(s.form.grid.Col(), ColCut);
    s.form.grid.SetCol(ColAddedCut);
    Press(KeyRight);
    EXPECT_EQ(s.form.grid.Col(), ColAddedFill);
    s.form.grid.SetCol(ColCut);
    Press(KeyLeft);
    EXPECT_EQ(s.form.grid.Col(), ColStation);
    s.form.grid.SetCol(ColAddedFill);
    Press(KeyLeft);
    EXPECT_EQ(s.form.grid.Col(), ColAddedCut);
}

TEST_F(GridEditing, UpArrowIntoTheFirstDataRowGoesToTheBalanceFactorBox)
{
    Type("1000\n\n\n\n\n\n1100");
    Press(KeyUp);
    EXPECT_EQ(s.form.Focus, FocusTarget::ShrinkFactor);
    EXPECT_EQ(Shown(3, 0), "1100");  // not committed
}

TEST_F(GridEditing, DownArrowCommitsTheRowLeft)
{
    Type("1000\n\n\n\n\n\n1100\n\n\n\n\n\n");
    s.form.grid.SetRow(2);
    s.form.grid.SetCol(ColCut);
    Type("5");
    Press(KeyDown);
    EXPECT_EQ(Shown(2, ColCut), "5.00");
    EXPECT_EQ(s.form.grid.Row(), 3);
}

TEST_F(GridEditing, DownArrowOnTheLastRowAppendsARow)
{
    Type("1000");
    Press(KeyDown);
    EXPECT_EQ(s.form.grid.Rows(), 4);
    EXPECT_EQ(s.form.grid.Row(), 2);
}

TEST_F(GridEditing, DeleteOnACodeCellEmptiesTheStoredCodeAndCommitStoresNone)
{
    Type("1000\n");
    Type("fb");
    EXPECT_EQ(Stored(ColCode, 0), "FB");
    Press(KeyDelete);
    EXPECT_EQ(Shown(2, ColCode), "");
    EXPECT_EQ(Stored(ColCode, 0), "");  // the file holds what the grid shows
    Type("\n");
    EXPECT_EQ(Shown(2, ColCode), "-");
    EXPECT_EQ(Stored(ColCode, 0), "-");
}

TEST_F(GridEditing, DeleteOnALaterStationStoresZeroAndShowsTheOrderMessageAtOnce)
{
    Type("1000\n\n\n\n\n\n1100\n");
    s.form.grid.SetRow(3);
    s.form.grid.SetCol(0);
    ask.Then(Says(" Station : 00+00.000 is less then previous station :10+00.000"));
    s.doc.DataChanged = false;
    Press(KeyDelete);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(Stored(ColStation, 1), "00+00.000");
    EXPECT_TRUE(s.doc.DataChanged);
}

TEST_F(GridEditing, UnrecognisedCodesAreStoredAsTypedOnlyOnCommit)
{
    s.form.grid.SetCol(ColCode);
    Type("ah");
    EXPECT_EQ(Stored(ColCode, 0), "AH");
    Press(KeyDelete);
    Type("sa\n");
    EXPECT_EQ(Stored(ColCode, 0), "SA");
    s.form.grid.SetCol(ColCode);
    Press(KeyDelete);
    Type("k");
    EXPECT_EQ(Stored(ColCode, 0), "");  // emptied with the cell; "k" is no code yet
    Type("\n");
    EXPECT_EQ(Stored(ColCode, 0), "k");
}

TEST_F(GridEditing, APointAloneLeavesTheStoreAndAnEmptyCellStoresZero)
{
    Type("12");
    Press(KeyDelete);
    EXPECT_EQ(Stored(ColStation, 0), "00+00.000");
    Type(".");
    EXPECT_EQ(Stored(ColStation, 0), "00+00.000");
    s.form.grid.SetCol(ColFill);
    Type("12+5");
    EXPECT_EQ(Stored(ColFill, 0), "1205.00");
}

TEST_F(GridEditing, StoringOutsideTheSheetShowsTheErrorAndChangesNothing)
{
    s.form.grid.SetRows(1804);
    ask.Then(Says("Program Error: Subscript out of range occured in StorageStructure"));
    EXPECT_FALSE(StoreGridCell(s, 1803, 0));
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(s.CurrentSheet().Cell(ColStation, 1800), "");
}

TEST_F(GridEditing, TheOrderCheckSkipsAheadTagsAndReadsBackTags)
{
    Sheet& sheet = s.CurrentSheet();
    sheet.SetCell(ColStation, 0, "1100B");
    sheet.SetCell(ColStation, 1, "1050AH");
    sheet.SetCell(ColStation, 2, "1000");
    sheet.SetCell(ColStation, 3, "-1");
    EXPECT_FALSE(CheckForAscendingOrder(s, 0));
    EXPECT_FALSE(CheckForAscendingOrder(s, 1));
    ask.Then(Says(" Station : 10+00.000 is less then previous station :10+50.000"));
    EXPECT_TRUE(CheckForAscendingOrder(s, 2));
    EXPECT_FALSE(CheckForAscendingOrder(s, 3));
    sheet.SetCell(ColStation, 1, "1200");
    sheet.SetCell(ColStation, 0, "1300B");
    ask.Then(Says(" Station : 12+00.000 is less then previous station :13+00.000"));
    EXPECT_TRUE(CheckForAscendingOrder(s, 1));
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(GridEditing, TabThroughCommand1ActsLikeEnter)
{
    Type("1234");
    Command1_GotFocus(s);
    EXPECT_EQ(Shown(2, 0), "12+34.000");
    EXPECT_EQ(s.form.grid.Col(), ColCode);
    EXPECT_EQ(s.form.Focus, FocusTarget::Grid);
}

TEST_F(GridEditing, TheCodeComboProposesTheLastCodeAndStoresThePick)
{
    s.form.grid.SetCol(ColCode);
    Grid1_Click(s);
    EXPECT_TRUE(s.form.codeComboVisible);
    EXPECT_EQ(s.form.codeComboItems, (std::vector<std::string>{"SA", "FB", "AH", "BK", "-"}));
    s.form.codeComboText = "BK";
    s.doc.DataChanged = false;
    Combo1_Click(s);
    Combo1_LostFocus(s);
    EXPECT_FALSE(s.form.codeComboVisible);
    EXPECT_EQ(Stored(ColCode, 0), "BK");
    EXPECT_EQ(Shown(2, ColCode), "BK");
    EXPECT_TRUE(s.doc.DataChanged);
    // The next row's empty code cell proposes BK.
    s.form.grid.SetCol(ColAddedFill);
    Type("\n");
    s.form.grid.SetCol(ColCode);
    s.form.codeComboText.clear();
    Grid1_Click(s);
    EXPECT_EQ(s.form.codeComboText, "BK");
    s.form.grid.SetCol(ColCut);
    Grid1_Click(s);
    EXPECT_FALSE(s.form.codeComboVisible);
}

TEST_F(GridEditing, RowsBeyondTheVisibleOnesScrollTheGrid)
{
    s.form.GridVisibleRows = 15;
    s.form.grid.SetRows(40);
    TopRowVisible(s, 13);
    EXPECT_EQ(s.form.grid.TopRow(), 2);
    TopRowVisible(s, 16);
    EXPECT_EQ(s.form.grid.TopRow(), 2);
    TopRowVisible(s, 20);
    EXPECT_EQ(s.form.grid.TopRow(), 6);
    TopRowVisible(s, 100);
    EXPECT_EQ(s.form.grid.TopRow(), 39 - 14);
}

TEST_F(GridEditing, ChoosingMetricAfterTypingOnlyRelabelsTheColumns)
{
    SetOptEnglish(s);
    EXPECT_EQ(Shown(1, ColCut), "Sq. ft.");
    s.form.grid.SetCol(ColCut);
    Type("27\n");
    ASSERT_EQ(Stored(ColCut, 0), "27.00");
    ResetallAttributes(s);
    EXPECT_EQ(Shown(1, ColCut), "");
    s.CurrentSheet().SetCell(ColCut, 0, "27.00");
    SetOptMetric(s);
    EXPECT_EQ(Stored(ColCut, 0), "27.00");
    EXPECT_EQ(Shown(1, ColStation), "..M+MM.MM");
    EXPECT_EQ(Shown(1, ColCut), "Sq. m.");
    EXPECT_EQ(Shown(1, ColAddedFill), "Cu. m.");
    EXPECT_EQ(Shown(1, ColCode), "");
}

class FullSheet : public GridEditing {
protected:
    FullSheet()
    {
        Sheet& sheet = s.CurrentSheet();
        for (int r = 0; r < MaxDataRows; ++r) sheet.SetCell(ColStation, r, FormatRow(r));
        sheet.SetCell(ColStation, MaxDataRows, "-1");
        ResetMainForm(s);
        FillMainForm(s);
    }
    static std::string FormatRow(int r) { return std::to_string(r / 100) + "+" + std::to_string(r % 100) + ".000"; }
};

TEST_F(FullSheet, The1801stRowIsRefusedWithAMessageAndNothingChanges)
{
    ASSERT_EQ(s.form.grid.Rows(), 1803);
    s.form.grid.SetRow(1802);
    s.form.grid.SetCol(0);
    s.doc.DataChanged = false;
    ask.Then(Says(RowLimitMessage));
    Type("5");
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(Shown(1802, 0), "");
    EXPECT_EQ(s.CurrentSheet().EndRow(), MaxDataRows);
    EXPECT_FALSE(s.doc.DataChanged);
    ask.Then(Says(RowLimitMessage));
    Press(KeyDelete);
    EXPECT_EQ(s.CurrentSheet().EndRow(), MaxDataRows);
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(FullSheet, EnterAtTheEndOfTheLastRowReachesTheEntryRowWithoutAFault)
{
    // Typing into row 1800 of a sheet of 1799 rows, then Enter through it.
    s.CurrentSheet().SetCell(ColStation, MaxDataRows - 1, "-1");
    ResetMainForm(s);
    FillMainForm(s);
    ASSERT_EQ(s.form.grid.Rows(), 1802);
    s.form.grid.SetRow(1801);
    s.form.grid.SetCol(0);
    Type("999999\n\n\n\n\n\n");
    EXPECT_EQ(s.form.grid.Rows(), 1803);
    EXPECT_EQ(s.form.grid.Row(), 1802);
    EXPECT_EQ(s.CurrentSheet().EndRow(), MaxDataRows);
    EXPECT_EQ(Stored(ColStation, MaxDataRows - 1), "9999+99.000");
}

// Typing into a cell that holds a committed value replaces it; F2 continues
// it; Escape before the commit puts the old value back, changed mark included.
TEST_F(GridEditing, TheFirstKeyReplacesACommittedValueF2ContinuesItEscapeRestoresIt)
{
    struct Case {
        int col;
        const char* committed;  // typed and committed first
        bool f2;
        const char* keys;       // '\x1b' is Escape
        const char* shown;
        const char* stored;
        bool changed;
    };
    const Case cases[] = {
        {ColCut, "27", false, "35\n", "35.00", "35.00", true},
        {ColStation, "100", false, "7\n", "00+07.000", "00+07.000", true},
        {ColCut, "27", false, ".5\n", "0.50", "0.50", true},
        {ColCut, "27", true, "5\n", "27.01", "27.01", true},
        {ColCut, "27", false, "35\x1b", "27.00", "27.00", false},
        {ColStation, "100", false, "12\x1b", "01+00.000", "01+00.000", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.committed) + " then " + c.keys);
        ScriptedPrompter quiet;
        Session t(quiet);
        t.ProgramFolder = dir.path().string();
        Form_Load(t);
        t.form.grid.SetRow(2);
        t.form.grid.SetCol(c.col);
        for (char k : std::string(c.committed) + "\n") {
            int16_t key = k == '\n' ? static_cast<int16_t>(KeyEnter) : static_cast<int16_t>(k);
            Grid1_KeyPress(t, key);
        }
        t.form.grid.SetCol(c.col);
        t.doc.DataChanged = false;
        if (c.f2) Grid1_BeginEdit(t);
        for (char k : std::string(c.keys)) {
            if (k == '\x1b') {
                Grid1_Escape(t);
                continue;
            }
            int16_t key = k == '\n' ? static_cast<int16_t>(KeyEnter) : static_cast<int16_t>(k);
            Grid1_KeyPress(t, key);
        }
        EXPECT_EQ(t.form.grid.Text(2, c.col), c.shown);
        EXPECT_EQ(t.CurrentSheet().Cell(c.col, 0), c.stored);
        EXPECT_EQ(t.doc.DataChanged, c.changed);
    }
}

// Only a change of the sheet's data marks the document: moving over cells,
// committing them unchanged and leaving the empty entry row do not, and the
// entry row never turns into a row of zeros.
TEST_F(GridEditing, MovingAndCommittingUnchangedCellsLeaveTheDocumentUnchanged)
{
    Type("1000\n\n5\n\n\n\n");  // one row, the cursor on the entry row
    const int end = s.CurrentSheet().EndRow();
    struct Step {
        const char* what;
        int row, col, key;  // key 0: Enter on the cell
        bool changes;
    };
    const Step steps[] = {
        {"Right over the row", 2, ColStation, KeyRight, false},
        {"Left over the row", 2, ColCut, KeyLeft, false},
        {"Down from the row", 2, ColCut, KeyDown, false},
        {"Up from the entry row", 3, ColStation, KeyUp, false},
        {"Right on the entry row", 3, ColStation, KeyRight, false},
        {"Enter on a committed cell", 2, ColCut, 0, false},
        {"Delete on the entry row", 3, ColCut, KeyDelete, false},
        {"Delete on a value", 2, ColCut, KeyDelete, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        s.form.grid.SetRow(step.row);
        s.form.grid.SetCol(step.col);
        s.doc.DataChanged = false;
        if (step.key == 0) Type("\n");
        else Press(step.key);
        EXPECT_EQ(s.doc.DataChanged, step.changes);
        EXPECT_EQ(s.CurrentSheet().EndRow(), end);
    }
}

// A value typed into the entry row makes it a row of the sheet, so the file
// keeps what the grid shows.
TEST_F(GridEditing, AValueTypedIntoTheEntryRowBecomesARow)
{
    s.form.grid.SetCol(ColFill);
    Type("6.4\n");
    EXPECT_EQ(s.CurrentSheet().EndRow(), 1);
    EXPECT_EQ(Stored(ColStation, 0), "");
    EXPECT_EQ(Stored(ColFill, 0), "6.40");
}

TEST_F(GridEditing, PageKeysMoveByAScreenfulAndCtrlHomeEndToTheEnds)
{
    Sheet& sheet = s.CurrentSheet();
    for (int r = 0; r < 100; ++r) sheet.SetCell(ColStation, r, FormatStation(r * 100.0));
    sheet.SetCell(ColStation, 100, std::string(EndMarker));
    FillMainForm(s);
    s.form.GridVisibleRows = 20;
    s.form.grid.SetRow(2);
    s.doc.DataChanged = false;
    const std::pair<int, int> moves[] = {{KeyPageDown, 21}, {KeyPageDown, 40}, {KeyPageUp, 21}, {KeyEnd, 102}, {KeyHome, 2}};
    for (const auto& [key, row] : moves) {
        Grid1_PageKey(s, key);
        EXPECT_EQ(s.form.grid.Row(), row) << key;
        EXPECT_LE(s.form.grid.TopRow(), row);
        EXPECT_GT(s.form.grid.TopRow() + s.form.GridVisibleRows, row);
    }
    EXPECT_FALSE(s.doc.DataChanged);
}

} // namespace
