#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "app/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

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
    s.doc.DataChanged = false;
    Check1_UserClick(s);
    EXPECT_EQ(s.form.embankmentCheck, 1);
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "1.00");
    EXPECT_TRUE(s.form.txtShrinkFactor.locked);
    EXPECT_TRUE(s.doc.DataChanged);
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
    s.doc.DataChanged = false;
    SetShrinkFactorText(s, "0.9");
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "0.90");
    EXPECT_TRUE(s.doc.DataChanged);
    s.doc.DataChanged = false;
    SetShrinkFactorText(s, "0.90");
    EXPECT_FALSE(s.doc.DataChanged);
    SetShrinkFactorText(s, "abc");
    EXPECT_EQ(s.CurrentSheet().BalanceFactor, "abc");
}

TEST_F(HeaderFields, ChoosingAUnitSystemHidesTheChoiceAndNeverClearsTheChange)
{
    // The choice is saved with the document: one that changes the unit system
    // marks a change, and none clears the mark that typing set.
    const struct { bool changedBefore; bool metric; bool changedAfter; } cases[] = {
        {true, true, true}, {true, false, true}, {false, true, true}, {false, false, false}};
    for (const auto& c : cases) {
        ResetallAttributes(s);
        s.doc.DataChanged = c.changedBefore;
        c.metric ? SetOptMetric(s) : SetOptEnglish(s);
        EXPECT_EQ(s.doc.DataChanged, c.changedAfter) << c.changedBefore << (c.metric ? " metric" : " English");
    }
    ResetallAttributes(s);
    SetOptMetric(s);
    EXPECT_FALSE(s.form.Frame1Visible);
    EXPECT_TRUE(s.form.Label5Visible);
    EXPECT_EQ(s.form.Label5Caption, "Metric System");
    EXPECT_EQ(s.doc.UnitSystem, 1);
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
    s.doc.LogMode = true;
    SetDescriText(s, 0, "J. Doe");
    EXPECT_FALSE(s.doc.DataChanged);
    s.doc.LogMode = false;
    SetDescriText(s, 0, "J. Doe");
    EXPECT_FALSE(s.doc.DataChanged) << "the same text again is no change";
    SetDescriText(s, 0, "J. Roe");
    EXPECT_TRUE(s.doc.DataChanged);
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

// Only a regular file of sane size is read (a pipe would block start-up);
// every refusal names the file.
TEST(SettingsFile, WhatCannotBeReadIsRefusedAtOnceNamingTheFile)
{
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "folder.ini");
    WriteFile(dir / "big.ini", "[Mardex]\r\nReportFolder = /x/\r\n" + std::string(2 << 20, ' '));
    WriteFile(dir / "nul.ini", std::string("[Mardex]\r\nReportFolder = /srv/\0/\r\n", 34));
    const struct {
        std::string path, error;
    } cases[] = {
        {dir / "missing.ini", "File not found: " + (dir / "missing.ini")},
        {dir / "pipe.ini", "the settings file " + (dir / "pipe.ini") + ": it is not a regular file"},
        {dir / "folder.ini", "the settings file " + (dir / "folder.ini") + ": it is a folder, not a file"},
        {dir / "big.ini", "the settings file " + (dir / "big.ini") + ": the file has 2097182 bytes"},
        {dir / "nul.ini", "the report folder in " + (dir / "nul.ini") + " holds a NUL byte"},
        {dir / "d.ini", "Input past end of file: " + (dir / "d.ini")},
    };
    WriteFile(dir / "d.ini", "only one line\n");
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadReportFolder(c.path, error)) << c.path;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(SettingsFile, AMissingFileIsReportedAndStartUpGoesOn)
{
    TempDir dir;
    ScriptedPrompter ask{Says("Program Error: File not found: " + (dir / "mardex3.ini") + " occured in Form_Load")};
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
