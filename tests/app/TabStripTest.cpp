#include "app/MainForm.h"
#include "app/Session.h"
#include "model/LogTables.h"
#include "app/TabStrip.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mardex;
using namespace mardex::test;

namespace {

struct PopupRecorder : WindowHooks {
    int popups = 0;
    void PopupPrintPreviewMenu() override { ++popups; }
};

class Groups : public ::testing::Test {
protected:
    Groups() : s(ask)
    {
        s.hooks = &hooks;
        ask.expectedMessages.clear();
        s.store[0].SetCell(ColStation, 0, "-1");
    }

    // n sheets, sheet i with i + 1 rows whose stations and cells name the sheet.
    void MakeSheets(int n)
    {
        for (int i = 0; i < n; ++i) {
            Sheet& sheet = s.store[i];
            sheet.TabName = "Sheet" + std::to_string(i);
            sheet.BalanceFactor = "0.9" + std::to_string(i);
            sheet.MeasuredInEmbankment = static_cast<int16_t>(i % 2);
            for (int r = 0; r <= i; ++r)
                for (int c = 0; c < ColumnCount; ++c)
                    sheet.SetCell(c, r, std::to_string(i) + "/" + std::to_string(r) + "/" + std::to_string(c));
            sheet.SetCell(ColStation, i + 1, "-1");
        }
        s.doc.SheetCount = static_cast<int16_t>(n);
        UpDateGroupTab(s);
    }
    void Click(int tab, int button = LeftButton)
    {
        s.form.SelectedTab = tab;
        TabStrip1_MouseUp(s, button, 0, 0, 0);
    }

    ScriptedPrompter ask;
    PopupRecorder hooks;
    Session s;
};

TEST_F(Groups, InsertAsksForANameCutsItTo20AndAddsAnEmptySheet)
{
    MakeSheets(1);
    ask.Then(Types("NAME THE GROUP or FILE-TAB(WHICH WILL BE SAVED IN THE FILE).", "ABCDEFGHIJKLMNOPQRSTUVWXY"));
    mnuGroupInsert_Click(s);
    ASSERT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.inputs[0].title, "NAME FILE-TAB");
    EXPECT_EQ(ask.inputs[0].defaultAnswer, "MarDex ");
    EXPECT_EQ(s.doc.SheetCount, 2);
    EXPECT_EQ(s.doc.CurrentSheet, 1);
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"Sheet0", "ABCDEFGHIJKLMNOPQRST"}));
    EXPECT_EQ(s.form.SelectedTab, 1);
    EXPECT_EQ(s.store[1].TabName, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(s.store[1].EndRow(), 0);
    EXPECT_EQ(s.store[1].BalanceFactor, "1");
    EXPECT_EQ(s.form.txtShrinkFactor.text, "1.000");
    // The grid shows the new sheet, not the old one.
    EXPECT_EQ(s.form.grid.Rows(), 3);
    EXPECT_EQ(s.form.grid.Text(2, 0), "");
    EXPECT_EQ(s.store[0].Cell(ColStation, 0), "0/0/0");
}

TEST_F(Groups, InsertAfterTheStripWasClearedShowsEverySheet)
{
    MakeSheets(1);
    ClearTabStrip(s);  // as the full reset of New leaves it
    ask.Then(Types("", "Second"));
    mnuGroupInsert_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"Sheet0", "Second"}));
    EXPECT_EQ(s.form.SelectedTab, 1);
    EXPECT_EQ(s.doc.CurrentSheet, 1);
}

TEST_F(Groups, AnEmptyOrCancelledNameChangesNothing)
{
    MakeSheets(2);
    ask.Then(Types("", ""));
    mnuGroupInsert_Click(s);
    ask.Then(Asks("Do you wish to delete the selected group ? ", Answer::No));
    ask.Then(Says("You have selected no to delete the group"));
    mnuGroupDelete_Click(s);
    ask.Then(Types("Change File-Tab Name", ""));
    mnuGroupRename_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(s.doc.SheetCount, 2);
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"Sheet0", "Sheet1"}));
    EXPECT_EQ(s.store[1].TabName, "Sheet1");
}

TEST_F(Groups, ATwentySeventhSheetIsRefusedAndDeletingWith26Works)
{
    MakeSheets(26);
    ask.Then(Says(SheetLimitMessage));
    mnuGroupInsert_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(s.doc.SheetCount, 26);
    EXPECT_EQ(TabCaptions(s).size(), 26u);

    s.form.SelectedTab = 25;
    ask.Then(Asks("Do you wish to delete the selected group ? ", Answer::Yes));
    mnuGroupDelete_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(s.doc.SheetCount, 25);
    EXPECT_EQ(TabCaptions(s).size(), 25u);
    EXPECT_EQ(s.store[24].TabName, "Sheet24");
}

TEST_F(Groups, DeletingTheSecondOfThreeMovesTheThirdWholeIntoItsPlace)
{
    MakeSheets(3);
    s.form.SelectedTab = 1;
    ask.Then(Asks("Do you wish to delete the selected group ? ", Answer::Yes));
    mnuGroupDelete_Click(s);
    ASSERT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.boxes[0].title, "Delete Group");
    EXPECT_EQ(ask.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(s.doc.SheetCount, 2);
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"Sheet0", "Sheet2"}));
    const Sheet& moved = s.store[1];
    EXPECT_EQ(moved.TabName, "Sheet2");
    EXPECT_EQ(moved.MeasuredInEmbankment, 0);
    EXPECT_EQ(moved.EndRow(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < ColumnCount; ++c)
            EXPECT_EQ(moved.Cell(c, r), "2/" + std::to_string(r) + "/" + std::to_string(c));
    // The first tab is selected, its sheet shown and current, and the keys
    // go to the grid: typing never lands in another field or another sheet.
    EXPECT_EQ(s.form.SelectedTab, 0);
    EXPECT_EQ(s.doc.CurrentSheet, 0);
    EXPECT_TRUE(s.form.GridShowsSheet);
    EXPECT_EQ(s.form.grid.Text(2, 5), "0/0/5");
    EXPECT_EQ(s.form.Focus, FocusTarget::Grid);
    Click(1);
    EXPECT_EQ(s.form.grid.Text(4, 5), "2/2/5");
}

TEST_F(Groups, DeleteOnASingleSheetRenamesItAndDropsItsRowsRenameKeepsThem)
{
    MakeSheets(1);
    ask.Then(Asks("Do you wish to delete the selected group ? ", Answer::Yes));
    ask.Then(Types("Re-Name Default File-Tab", "Fresh"));
    mnuGroupDelete_Click(s);
    ASSERT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.inputs[0].title, "RE-NAME FILE-TAB");
    EXPECT_EQ(ask.inputs[0].defaultAnswer, "Mardex ");
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"Fresh"}));
    EXPECT_EQ(s.store[0].TabName, "Fresh");
    EXPECT_EQ(s.store[0].EndRow(), 0);

    MakeSheets(1);
    ask.Then(Types("Re-Name Default File-Tab", "Kept rows"));
    mnuGroupRename_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"Kept rows"}));
    EXPECT_EQ(s.store[0].TabName, "Kept rows");
    EXPECT_EQ(s.store[0].EndRow(), 1);
}

TEST_F(Groups, RenamingOrEmptyingTheOnlySheetMarksTheDocumentChanged)
{
    MakeSheets(1);
    s.doc.DataChanged = false;
    ask.Then(Types("Re-Name Default File-Tab", "Renamed"));
    mnuGroupRename_Click(s);
    ASSERT_TRUE(ask.sawAll());
    EXPECT_TRUE(s.doc.DataChanged);

    // A factor of 1.00 already: only the dropped rows change the document.
    s.store[0].BalanceFactor = "1.00";
    s.doc.DataChanged = false;
    ask.Then(Asks("Do you wish to delete the selected group ? ", Answer::Yes));
    ask.Then(Types("Re-Name Default File-Tab", "Emptied"));
    mnuGroupDelete_Click(s);
    ASSERT_TRUE(ask.sawAll());
    EXPECT_EQ(s.store[0].EndRow(), 0);
    EXPECT_TRUE(s.doc.DataChanged);
}

TEST_F(Groups, RenameOfSeveralRenamesTheSelectedTabAndItsSheet)
{
    MakeSheets(3);
    Click(2);
    s.form.SelectedTab = 1;  // selected, not yet shown
    ask.Then(Types("Change File-Tab Name", "Bridge approach north side"));
    mnuGroupRename_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.inputs[0].title, "CHANGE FILE-TAB NAME");
    EXPECT_EQ(ask.inputs[0].defaultAnswer, "NEW NAME ");
    EXPECT_EQ(TabCaptions(s)[1], "Bridge approach nort");
    EXPECT_EQ(s.store[1].TabName, "Bridge approach nort");
    EXPECT_EQ(s.store[2].TabName, "Sheet2");
}

TEST_F(Groups, ALeftClickShowsTheSheetAndSetsTheFactorBox)
{
    MakeSheets(2);
    Click(1);
    EXPECT_EQ(s.doc.CurrentSheet, 1);
    EXPECT_EQ(s.form.grid.Rows(), 5);
    EXPECT_EQ(s.form.grid.Text(3, 0), "1/1/0");
    EXPECT_EQ(s.form.embankmentCheck, 1);
    EXPECT_FALSE(s.form.txtShrinkFactor.enabled);
    EXPECT_EQ(s.store[1].MeasuredInEmbankment, 1);
    Click(0);
    EXPECT_EQ(s.form.embankmentCheck, 0);
    EXPECT_TRUE(s.form.txtShrinkFactor.enabled);
    EXPECT_EQ(s.form.txtShrinkFactor.text, "0.90");
    EXPECT_EQ(s.store[1].MeasuredInEmbankment, 1);
}

// Showing a sheet writes its factor in the box's form; the same number is no
// change, so a tab click never marks the document changed.
TEST_F(Groups, ATabClickShowsTheFactorInTheBoxsFormWithoutMarkingAChange)
{
    for (const char* factor : {"1", "01.000", "0.875", "1.25", "abc"}) {
        MakeSheets(2);
        s.store[1].BalanceFactor = factor;
        s.store[1].MeasuredInEmbankment = 0;  // ticked, the box would force 1.00 as described
        s.doc.DataChanged = false;
        Click(1);
        Click(0);
        EXPECT_FALSE(s.doc.DataChanged) << factor;
    }
}

// A right click reports the sheet of the tab it is on, and the grid goes on
// showing the current sheet's rows, which take the edits.
TEST_F(Groups, ARightClickSelectsItsTabOffersThePreviewMenuAndKeepsTheGrid)
{
    struct Case {
        int shown, clicked;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{2, 0}}) {
        SCOPED_TRACE(std::to_string(c.shown) + " shown, " + std::to_string(c.clicked) + " clicked");
        MakeSheets(3);
        for (int i = 0; i < 3; ++i) s.store[i].MeasuredInEmbankment = 0;  // ticked, the box forces 1.00
        Click(c.shown);
        s.doc.DataChanged = false;
        const int popups = hooks.popups;
        Click(c.clicked, RightButton);
        EXPECT_EQ(hooks.popups, popups + 1);
        EXPECT_EQ(s.doc.CurrentSheet, c.clicked);
        EXPECT_EQ(s.form.SelectedTab, c.clicked);
        EXPECT_TRUE(s.form.GridShowsSheet);
        EXPECT_EQ(s.form.grid.Rows(), c.clicked + 4);
        EXPECT_EQ(s.form.grid.Text(2, 0), std::to_string(c.clicked) + "/0/0");
        EXPECT_EQ(s.form.Focus, FocusTarget::Grid);
        EXPECT_FALSE(s.doc.DataChanged);
    }
}

// A sheet taken into use anew holds no row of an earlier document or sheet,
// shown or hidden, and the grid has the keyboard, never the Designer box.
TEST_F(Groups, ANewOrEmptiedSheetKeepsNothingOfWhatItsSlotHeld)
{
    struct Case {
        const char* command;
        int sheets;
        std::function<void()> run;
        int sheet;  // the sheet taken anew
    };
    const Case cases[] = {
        {"Group Insert", 2, [this] { ask.Then(Types("", "New")); mnuGroupInsert_Click(s); }, 2},
        {"Group Delete of the only sheet", 1,
         [this] {
             ask.Then(Asks("", Answer::Yes));
             ask.Then(Types("", "Only"));
             mnuGroupDelete_Click(s);
         }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        MakeSheets(3);  // slot 2 holds rows
        s.doc.SheetCount = static_cast<int16_t>(c.sheets);
        UpDateGroupTab(s);
        Click(0);
        c.run();
        EXPECT_TRUE(ask.sawAll());
        const Sheet& fresh = s.store[c.sheet];
        EXPECT_EQ(fresh.EndRow(), 0);
        for (int r = 0; r < 4; ++r)
            for (int col = ColCode; col < ColumnCount; ++col) EXPECT_EQ(fresh.Cell(col, r), "") << r << "," << col;
        EXPECT_EQ(s.form.Focus, FocusTarget::Grid);
    }
}

} // namespace

namespace {

TEST_F(Groups, TheTabsShowTheSheetsNamesOrWhileALogIsOpenTheLogsBaselines)
{
    MakeSheets(2);
    s.logs()[0].BaselineName = " CL1";
    s.logs()[1].BaselineName = "RAMP B";
    s.logs()[2].BaselineName = "left from before";  // beyond the tabs in use
    const struct {
        bool logMode;
        std::vector<std::string> captions;
    } cases[] = {
        {false, {"Sheet0", "Sheet1"}},
        {true, {"BASELINE:  CL1", "BASELINE: RAMP B"}},
    };
    for (const auto& c : cases) {
        s.doc.LogMode = c.logMode;
        EXPECT_EQ(TabCaptions(s), c.captions) << c.logMode;
        EXPECT_EQ(CaptionOfTab(s, 1, "none"), c.captions[1]) << c.logMode;
        EXPECT_EQ(CaptionOfTab(s, 2, "none"), "none") << c.logMode;
    }
}

TEST_F(Groups, ALeftClickInLogModeTakesTheBaselineFromTheCaption)
{
    s.doc.LogMode = true;
    s.logs()[0].BaselineName = "CL-1";
    s.logs()[1].BaselineName = "RAMP B";
    s.doc.SheetCount = 2;
    Click(1);
    EXPECT_EQ(s.doc.CurrentSheet, 1);
    EXPECT_EQ(s.doc.BaselineName, " RAMP B");
    EXPECT_TRUE(s.form.GridShowsSheet);
}

} // namespace
