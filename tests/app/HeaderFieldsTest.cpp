#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

class HeaderFields : public ::testing::Test {
protected:
    HeaderFields() : s(ask)
    {
        WriteFile(dir / "mardex3.ini", "x\nReportFolder=/r/\n");
        s.ProgramFolder = dir.path().string();
        Form_Load(s);
    }
    TempDir dir;
    ScriptedPrompter ask;
    Session s;
};

TEST_F(HeaderFields, TickingTheBoxForcesTheFactorLocksTheBoxAndMarksTheChange)
{
    SetShrinkFactorText(s, "0.90");
    s.doc.DataChanged = 0;
    Check1_UserClick(s);
    EXPECT_EQ(s.form.embankmentCheck, 1);
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "1.00");
    EXPECT_TRUE(s.form.txtShrinkFactor.locked);
    EXPECT_EQ(s.doc.DataChanged, 1);
    // The user's click reaches the sheet's flag, so it is saved.
    EXPECT_EQ(s.CurrentSheet().MeasuredInEmbankment, 1);
    s.form.txtShrinkFactor.enabled = false;  // as a flagged sheet is shown
    Check1_UserClick(s);
    EXPECT_FALSE(s.form.txtShrinkFactor.locked);
    EXPECT_TRUE(s.form.txtShrinkFactor.enabled);
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "1.00");
    EXPECT_EQ(s.CurrentSheet().MeasuredInEmbankment, 0);
}

TEST_F(HeaderFields, ShowingASheetFromCodeNeverChangesItsFlag)
{
    Sheet& sheet = s.CurrentSheet();
    sheet.MeasuredInEmbankment = 1;
    ResetMainForm(s);
    FillMainForm(s);
    EXPECT_EQ(s.form.embankmentCheck, 1);
    EXPECT_EQ(sheet.MeasuredInEmbankment, 1);
    ResetMainForm(s);
    EXPECT_EQ(sheet.MeasuredInEmbankment, 1);
}

TEST_F(HeaderFields, TheFactorIsStoredFormattedOnlyWhenItDiffers)
{
    s.doc.DataChanged = 0;
    SetShrinkFactorText(s, "0.9");
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "0.90");
    EXPECT_EQ(s.doc.DataChanged, 1);
    s.doc.DataChanged = 0;
    SetShrinkFactorText(s, "0.90");
    EXPECT_EQ(s.doc.DataChanged, 0);
    SetShrinkFactorText(s, "abc");
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "abc");
}

TEST_F(HeaderFields, ChoosingAUnitSystemHidesTheChoiceAndClearsTheChange)
{
    s.doc.DataChanged = 1;
    SetOptMetric(s);
    EXPECT_FALSE(s.form.Frame1Visible);
    EXPECT_TRUE(s.form.Label5Visible);
    EXPECT_EQ(s.form.Label5Caption, "Metric System");
    EXPECT_EQ(s.doc.UnitSystem, 1);
    EXPECT_EQ(s.doc.DataChanged, 0);
    EXPECT_EQ(s.form.grid.Text(1, 2), "Sq. m.");
    EXPECT_EQ(s.form.grid.Text(1, 3), "Cu. m.");
    EXPECT_EQ(s.form.grid.Text(1, 1), "");
    ResetallAttributes(s);
    EXPECT_TRUE(s.form.Frame1Visible);
    EXPECT_FALSE(s.form.optMetric);
    EXPECT_FALSE(s.form.Label5Visible);
    EXPECT_EQ(s.form.grid.Text(1, 2), "");
}

TEST_F(HeaderFields, DescriptionsMarkChangesOnlyOutsideLogMode)
{
    s.doc.LogMode = 1;
    SetDescriText(s, 0, "J. Doe");
    EXPECT_EQ(s.doc.DataChanged, 0);
    s.doc.LogMode = 0;
    SetDescriText(s, 0, "J. Doe");
    EXPECT_EQ(s.doc.DataChanged, 1);
}

TEST_F(HeaderFields, EnterStoresTheTextAndMovesToTheNextBox)
{
    s.form.txtDescri[2].text = "C-101";
    EXPECT_TRUE(txtDescri_KeyPress(s, 2, 13));
    EXPECT_EQ(s.doc.DescriptionFields[2], "C-101");
    EXPECT_EQ(s.form.Focus, FocusTarget::ShrinkFactor);
    EXPECT_TRUE(txtDescri_KeyPress(s, 0, 13));
    EXPECT_EQ(s.form.Focus, FocusTarget::ProjectNo);
    EXPECT_FALSE(txtDescri_KeyPress(s, 0, 'a'));
}

TEST(SettingsFile, TheSecondLineGivesTheReportFolder)
{
    TempDir dir;
    std::string error;
    WriteFile(dir / "a.ini", "[Mardex]\r\nReportFolder =  /srv/reports/ \r\n");
    EXPECT_EQ(ReadReportFolder(dir / "a.ini", error), "/srv/reports/");
    WriteFile(dir / "b.ini", "ignored\nkey= /x/ = trailing\n");
    EXPECT_EQ(ReadReportFolder(dir / "b.ini", error), "/x/");
    WriteFile(dir / "c.ini", "first\nno equals sign\n");
    EXPECT_FALSE(ReadReportFolder(dir / "c.ini", error));
    EXPECT_FALSE(ReadReportFolder(dir / "missing.ini", error));
    WriteFile(dir / "d.ini", "only one line\n");
    EXPECT_FALSE(ReadReportFolder(dir / "d.ini", error));
}

TEST(SettingsFile, AMissingFileIsReportedAndStartUpGoesOn)
{
    TempDir dir;
    ScriptedPrompter ask{Says("Program Error: File not found occured in Form_Load")};
    Session s(ask);
    s.ProgramFolder = dir.path().string();
    Form_Load(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(s.doc.ReportFolder, "");
    EXPECT_EQ(s.form.Caption, "MARDEX :UNTITLED");
    EXPECT_EQ(s.store[0].EndRow(), 0);
    EXPECT_EQ(s.store[0].BalanceFactor, "1.00");
    EXPECT_EQ(s.form.grid.Rows(), 3);
    EXPECT_EQ(s.form.grid.Text(0, 0), "Station");
    EXPECT_EQ(s.form.grid.Text(0, 5), "AddedFill");
}

} // namespace
