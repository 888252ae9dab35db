#include "app/StickupSheetsCommand.h"

#include "app/DocumentReader.h"
#include "app/DesignFileDialogs.h"
#include "StickupTestReports.h"
#include "support/RecordingDesignHost.h"
#include "support/ScriptedPrompter.h"
#include "text/CountText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> BodyLinesOf(const std::string& reportText)
{
    std::vector<std::string> out;
    std::istringstream in(reportText);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') out.push_back(line);
    }
    return out;
}

class StickupButton : public ::testing::Test {
protected:
    StickupButton()
    {
        s.ProgramFolder = dir / "prog";
        fs::create_directories(s.ProgramFolder);
        WriteFile(dir / "prog/border2l.dgn", "border");
        WriteFile(seed, "seed contents");
        s.doc.ReportFolder = dir.path().string() + "/";
        host.folder = dir.path().string();
    }

    void Open(const std::string& caseName)
    {
        const std::string path = dir / (caseName + ".mdx");
        fs::copy_file(TestData("cases/" + caseName + ".mdx"), path);
        s.doc.CurrentFileName = path;
        ASSERT_EQ(ReadFileVersion2002(s), 0);
        ask.expectedMessages.clear();
        s.form.Caption = "MARDEX :" + path;
    }

    // bentleyTwo as the user fills it: the proposed name kept, the folder and
    // seed chosen, OK pressed.
    ShowDesignFileDialog UserPressesOk()
    {
        return [this](const std::string& proposed) {
            proposedNames.push_back(proposed);
            auto& dlg = s.stickup.designFileDialog;
            dlg.Form_Load(seed, dir.path().string());
            dlg.chooser.fileName = proposed;
            dlg.Command1_Click(s);
        };
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};
    RecordingDesignHost host;
    std::string seed = dir / "seed.dgn";
    std::vector<std::string> proposedNames;
};

TEST_F(StickupButton, UntitledDocumentGivesItsMessageAndWritesNothing)
{
    s.report.AccumulatedMode = ReportMode::Accumulated;
    ask.Then(Says("There is no active data to create sheets with, you must first open a file."
                  " Or if you have typed in some numbers Please save it to a file."));
    bool shown = false;
    const auto r = Command2_Click(s, host, [&](const std::string&) { shown = true; });
    EXPECT_FALSE(r.has_value());
    EXPECT_FALSE(shown);
    EXPECT_EQ(s.report.AccumulatedMode, ReportMode::Total);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(StickupButton, ThreeSheetsAreDrawnInOrderFromOneCombinedReport)
{
    Open("code_row0");  // three sheets
    s.report.AccumulatedMode = ReportMode::Accumulated;  // the button always draws the Total report
    const std::string target = dir / (s.doc.DescriptionFields[2] + "0ew.dgn");
    ask.Then(Says(""));
    const auto r = Command2_Click(s, host, UserPressesOk());
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->completed);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(ask.shown.back(), CountOf(r->sheets, "sheet") + " drawn into " + target);
    EXPECT_EQ(s.stickup.DesignFilePath, target);
    EXPECT_EQ(host.openedPath, s.stickup.DesignFilePath);
    EXPECT_EQ(ReadFile(s.stickup.DesignFilePath), "seed contents");

    const std::string expected = ReadFile(TestData("cases/code_row0.all.rpt"));
    EXPECT_EQ(ReadFile(dir / "code_row0.rpt"), expected);
    const auto body = BodyLinesOf(expected);
    // Every report line but the "#" lines, in order, once the header blocks are set aside.
    std::vector<std::string> drawn;
    for (std::size_t i = 0; i < host.elements.size(); ++i) {
        const auto& e = host.elements[i];
        if (e.firstAttribute != 36) continue;
        if (e.text.rfind(TabLine(""), 0) == 0) {
            i += 5;
            continue;
        }
        drawn.push_back(e.text);
    }
    EXPECT_EQ(drawn, body);
    const auto tabs = TextsStartingWith(host.elements, TabLine(""));
    ASSERT_EQ(tabs.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tabs[i]->text, TabLine(s.store[i].TabName));
}

// The combined report walks every sheet; afterwards the sheet on screen is
// the current one again, so what is typed next lands in the sheet shown.
TEST_F(StickupButton, TheSheetOnScreenStaysCurrentAfterCancelAndAfterARun)
{
    for (const bool run : {false, true}) {
        s.doc.CurrentSheet = 0;
        s.doc.SheetCount = 1;
        Open("worked_example");  // two sheets
        s.doc.CurrentSheet = 1;
        s.form.SelectedTab = 1;
        if (run) ask.Then(Says(""));
        const auto r = run ? Command2_Click(s, host, UserPressesOk())
                           : Command2_Click(s, host, [](const std::string&) {});
        EXPECT_EQ(r.has_value(), run);
        EXPECT_EQ(s.doc.CurrentSheet, 1) << (run ? "run" : "cancel");
        EXPECT_TRUE(ask.sawAll());
        std::error_code ec;
        fs::remove(dir / "worked_example.mdx", ec);
        fs::remove(s.stickup.DesignFilePath, ec);
    }
}

// Reopened, the dialog lists the folder as it is now: the design file made
// by the last run is in it.
TEST_F(StickupButton, TheDesignFileDialogReadsItsFolderAgainWhenShownAgain)
{
    PrepareDesignFileDialog(s, seed, dir.path().string(), "first.dgn");
    const auto& files = s.stickup.designFileDialog.chooser.files;
    EXPECT_EQ(std::count(files.begin(), files.end(), "made.dgn"), 0);
    WriteFile(dir / "made.dgn", "drawn");
    PrepareDesignFileDialog(s, seed, dir.path().string(), "second.dgn");
    EXPECT_EQ(std::count(files.begin(), files.end(), "made.dgn"), 1);
    EXPECT_EQ(s.stickup.designFileDialog.chooser.fileName, "second.dgn");
}

TEST_F(StickupButton, ProposedNameIsTheControlNumberAndCancelDrawsNothing)
{
    Open("worked_example");
    s.form.txtDescri[2].text = "1234";
    s.stickup.TargetChosen = true;  // left over from an earlier run
    const auto r = Command2_Click(s, host, [&](const std::string& proposed) { proposedNames.push_back(proposed); });
    EXPECT_FALSE(r.has_value());
    ASSERT_EQ(proposedNames.size(), 1u);
    EXPECT_EQ(proposedNames[0], "12340ew.dgn");
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(StickupButton, CancelAfterAnEarlierRunGeneratesNothing)
{
    Open("worked_example");
    ask.Then(Says(""));  // the sheets drawn
    ASSERT_TRUE(Command2_Click(s, host, UserPressesOk()).has_value());
    RecordingDesignHost second;
    EXPECT_FALSE(Command2_Click(s, second, [](const std::string&) {}).has_value());
    EXPECT_TRUE(second.calls.empty());
}

// A drawing that cannot start (the design-file module missing) leaves the
// target as it was before OK: no copy of the seed under a new name, an
// existing design file with its own contents.
TEST_F(StickupButton, AFailedDrawingLeavesTheTargetAsItWas)
{
    Open("worked_example");
    const std::string target = dir / (s.doc.DescriptionFields[2] + "0ew.dgn");
    for (const bool existed : {false, true}) {
        if (existed) WriteFile(target, "earlier drawing");
        host.available = false;
        if (existed) ask.Then(Asks(OverwriteQuestion, Answer::Yes));
        ask.Then(Says("Error Generating Stickup Sheets: ActiveX component can't create object"));
        const auto r = Command2_Click(s, host, UserPressesOk());
        ASSERT_TRUE(r.has_value());
        EXPECT_FALSE(r->completed);
        EXPECT_TRUE(ask.sawAll());
        EXPECT_EQ(fs::exists(target), existed);
        if (existed) {
            EXPECT_EQ(ReadFile(target), "earlier drawing");
        }
    }
}

TEST_F(StickupButton, AFaultyDialogIsReportedAsTheButtonsError)
{
    Open("worked_example");
    ask.Then(Says("Program Error: dialog failed occured in Command2_Click"));
    const auto r = Command2_Click(s, host, [](const std::string&) { throw std::runtime_error("dialog failed"); });
    EXPECT_FALSE(r.has_value());
    EXPECT_TRUE(ask.sawAll());
}

} // namespace
} // namespace mardex::test
