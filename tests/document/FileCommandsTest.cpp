// New, Open, Save and Save As through scripted dialogs and boxes.
#include "DocumentFixture.h"

#include "app/HeaderFields.h"
#include "app/TabStrip.h"
#include "app/DocumentWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

// A program with two sheets typed in and not saved.
struct ChangedUntitled : ::testing::Test {
    Program p;

    void SetUp() override
    {
        p.s.doc.SheetCount = 2;
        for (int t = 0; t < 2; ++t) {
            p.s.store[t].TabName = t == 0 ? "BL1" : "BL2";
            p.s.store[t].SetCell(ColStation, 0, "00+00.000");
            p.s.store[t].SetCell(ColStation, 1, "-1");
        }
        UpDateGroupTab(p.s);
        SetDescriText(p.s, 0, "ME");
        ASSERT_TRUE(p.s.doc.DataChanged);
    }
};

TEST_F(ChangedUntitled, SaveAsksForANameAndSaves)
{
    const std::string path = p.Path("new.mdx");
    p.ask.Then(Picks(path));
    p.ask.Then(Says(" FILE : " + path + " IS SAVED SUCCESSFULLY"));
    mnuFileSave_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.ask.dialogs.size(), 1u);
    EXPECT_EQ(p.ask.dialogs[0].mode, FileDialogMode::Save);
    EXPECT_EQ(p.ask.dialogs[0].filter,
              "Mardex Files(*.mdx)|*.mdx|Geopak's Earthwork Log Files(*.log)|*.log|All Files(*.*)|*.*");
    EXPECT_EQ(p.ask.dialogs[0].filterIndex, 1);
    EXPECT_EQ(ReadFile(path), SheetDocumentText(p.s));
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + path);
    EXPECT_EQ(p.s.doc.CurrentFileName, path);
    EXPECT_FALSE(p.s.doc.DataChanged);
}

TEST_F(ChangedUntitled, SaveWithCancelledDialogWritesNothing)
{
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    mnuFileSave_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED");
    EXPECT_EQ(p.s.form.Caption, "MARDEX :UNTITLED");
    EXPECT_TRUE(p.s.doc.DataChanged);
}

TEST_F(ChangedUntitled, DecliningOverwriteThenCancellingKeepsNameAndWritesNothing)
{
    const std::string path = p.Path("road1.mdx");
    WriteFile(path, "old");
    p.s.doc.CurrentFileName = path;
    p.ask.Then(Asks(" OVERWRITE EXISTING FILE " + path + " ?", Answer::No));
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    EXPECT_EQ(SavingTheFile(p.s), 1);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(p.s.doc.CurrentFileName, path);
    EXPECT_TRUE(p.s.doc.DataChanged);
    EXPECT_TRUE(p.ask.boxes[0].defaultIsSecond) << "No is the default button";
    EXPECT_EQ(p.ask.boxes[0].buttons, Buttons::YesNo);
}

TEST_F(ChangedUntitled, DecliningOverwriteThenPickingAnotherNameSavesThere)
{
    const std::string path = p.Path("road1.mdx"), other = p.Path("road2.mdx");
    WriteFile(path, "old");
    p.s.doc.CurrentFileName = path;
    p.ask.Then(Asks(" OVERWRITE EXISTING FILE " + path + " ?", Answer::No));
    p.ask.Then(Picks(other));
    p.ask.Then(Says(" FILE : " + other + " IS SAVED SUCCESSFULLY"));
    mnuFileSave_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(ReadFile(other), SheetDocumentText(p.s));
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + other);
}

TEST_F(ChangedUntitled, SaveOfUnchangedDataOnlySaysSo)
{
    p.s.doc.DataChanged = false;
    p.ask.Then(Says("FILE WAS NOT CHANGED SINCE LAST SAVE EVENT"));
    mnuFileSave_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_TRUE(p.ask.dialogs.empty());
}

TEST_F(ChangedUntitled, SaveAsOfANamedDocumentCancelledKeepsTheName)
{
    p.s.doc.CurrentFileName = "Untitled";  // after a full reset: counts as a name here
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    mnuFileSaveAs_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.CurrentFileName, "Untitled");
}

TEST_F(ChangedUntitled, SaveAsWithoutSheetsSaysThereIsNoData)
{
    p.s.doc.SheetCount = 0;
    p.ask.Then(Says("No data exists to save as a file"));
    mnuFileSaveAs_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
}

TEST_F(ChangedUntitled, NewWithCancelLeavesEverything)
{
    p.ask.Then(Asks("Wish to save : ' UNTITLED ' before opening new file ?", Answer::Cancel));
    p.ask.Then(Says("File : ' UNTITLED ' was not saved"));
    mnuFileNew_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.ask.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(p.ask.boxes[0].icon, Icon::Question);
    EXPECT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_EQ(TabCaptions(p.s).size(), 2u);
    EXPECT_TRUE(p.s.doc.DataChanged);
}

TEST_F(ChangedUntitled, NewWithNoResetsButKeepsTheDescriptions)
{
    p.s.form.mnuEditEnabled = false;
    p.ask.Then(Asks("", Answer::No));
    mnuFileNew_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 1);
    // One tab, and the sheet carries the name it shows, which Save writes.
    EXPECT_EQ(TabCaptions(p.s), std::vector<std::string>{"Mardex 1"});
    EXPECT_EQ(p.s.store[0].TabName, "Mardex 1");
    EXPECT_EQ(p.s.form.SelectedTab, 0);
    EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED");
    EXPECT_EQ(p.s.form.Caption, "MARDEX :UNTITLED");
    EXPECT_EQ(p.s.form.StatusText, "New File");
    EXPECT_EQ(p.s.form.txtDescri[0].text, "ME");
    EXPECT_TRUE(p.s.store[0].IsEndMarker(0));
    EXPECT_TRUE(p.s.form.mnuEditEnabled);
}

TEST(FileSave, AFreshStartSavesTheNameItsTabShows)
{
    Program p;
    SetDescriText(p.s, 0, "ME");
    const std::string path = p.Path("fresh.mdx");
    p.ask.Then(Picks(path));
    p.ask.Then(Says(" FILE : " + path + " IS SAVED SUCCESSFULLY"));
    mnuFileSave_Click(p.s);
    EXPECT_EQ(TabCaptions(p.s), std::vector<std::string>{"Mardex 1"});
    EXPECT_NE(ReadFile(path).find("\r\n[END AREA 1 Mardex 1]\r\n"), std::string::npos) << ReadFile(path);
    EXPECT_EQ(p.s.form.StatusText, path) << "the status bar names the document saved";
}

TEST_F(ChangedUntitled, NewWithYesSavesFirst)
{
    const std::string path = p.Path("first.mdx");
    p.ask.Then(Asks("", Answer::Yes));
    p.ask.Then(Picks(path));
    p.ask.Then(Says(" FILE : " + path + " IS SAVED SUCCESSFULLY"));
    mnuFileNew_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED");
    EXPECT_EQ(p.s.doc.SheetCount, 1);
}

TEST_F(ChangedUntitled, NewWithYesAndCancelledDialogChangesNothing)
{
    p.ask.Then(Asks("", Answer::Yes));
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    mnuFileNew_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_TRUE(p.s.doc.DataChanged);
}

// An unchanged untitled document of one empty sheet needs no reset; one that
// holds sheets (imported into it) is reset, so none of them passes into the
// new document.
TEST_F(ChangedUntitled, NewOnUnchangedUntitledDocumentResetsOnlyWhatItHolds)
{
    const struct { int sheets; bool gridKept; } cases[] = {{1, true}, {2, false}};
    for (const auto& c : cases) {
        p.s.doc.SheetCount = static_cast<int16_t>(c.sheets);
        p.s.doc.CurrentSheet = 0;
        p.s.store[0].SetCell(ColStation, 0, "-1");
        p.s.doc.DataChanged = false;
        p.s.form.grid.SetText(2, 0, "x");
        mnuFileNew_Click(p.s);
        EXPECT_TRUE(p.ask.shown.empty());
        EXPECT_EQ(p.s.form.grid.Text(2, 0) == "x", c.gridKept) << c.sheets;
        EXPECT_EQ(TabCaptions(p.s), std::vector<std::string>{"Mardex 1"}) << c.sheets;
        EXPECT_EQ(p.s.doc.SheetCount, 1);
    }
}

TEST_F(ChangedUntitled, OpenWithCancelKeepsTheDocument)
{
    p.ask.Then(Asks("Wish to save : UNTITLED before opening other file ?", Answer::Cancel));
    p.ask.Then(Says("File : UNTITLED was not saved"));
    mnuFileOpen_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
}

TEST_F(ChangedUntitled, OpenWithNoThenCancelledDialogKeepsTheDocumentAndItsCounters)
{
    p.s.doc.CurrentSheet = 1;
    p.ask.Then(Asks("", Answer::No));
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    mnuFileOpen_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_EQ(p.s.doc.CurrentSheet, 1);
    EXPECT_EQ(TabCaptions(p.s).size(), 2u);
    EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED");
    EXPECT_TRUE(p.s.doc.DataChanged);
}

TEST_F(ChangedUntitled, OpenWithNoResetsAndReads)
{
    const std::string path = p.Path("w.mdx");
    WriteFile(path, ReadFile(TestData("cases/worked_example.mdx")));
    p.ask.Then(Asks("", Answer::No));
    p.ask.Then(Picks(path));
    mnuFileOpen_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.CurrentFileName, path);
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + path);
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"BL1", "Ramp A"}));
    EXPECT_EQ(p.s.form.txtDescri[0].text, "DESIGN UNIT 4");
    EXPECT_EQ(p.s.form.grid.Text(2, 0), "10+00.000");
    EXPECT_EQ(p.s.form.grid.Text(1, 2), "Sq. ft.");
    EXPECT_EQ(p.s.form.Label5Caption, "English System");
    EXPECT_FALSE(p.s.doc.DataChanged);
}

TEST_F(ChangedUntitled, OpenWithYesSavesThenReads)
{
    const std::string saved = p.Path("mine.mdx"), other = p.Path("w.mdx");
    WriteFile(other, ReadFile(TestData("cases/worked_example.mdx")));
    p.ask.Then(Asks("", Answer::Yes));
    p.ask.Then(Picks(saved));
    p.ask.Then(Says(" FILE : " + saved + " IS SAVED SUCCESSFULLY"));
    p.ask.Then(Picks(other));
    mnuFileOpen_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_NE(ReadFile(saved).find("[END AREA 2 BL2]"), std::string::npos);
    EXPECT_EQ(p.s.doc.CurrentFileName, other);
}

TEST(FileOpen, TheFactorBoxIsGreyedOnlyWhileADocumentMeasuredInEmbankmentIsOpen)
{
    Program p;
    p.Open(TestData("cases/embankment_flag.mdx"));
    EXPECT_FALSE(p.s.form.txtShrinkFactor.enabled);
    p.Open(TestData("cases/e51_single_row.mdx"));
    EXPECT_TRUE(p.s.form.txtShrinkFactor.enabled);

    p.Open(TestData("cases/embankment_flag.mdx"));
    p.s.doc.DataChanged = false;
    mnuFileNew_Click(p.s);
    EXPECT_TRUE(p.s.form.txtShrinkFactor.enabled);

    // The box follows the first sheet shown, not the last sheet read.
    for (const char* flags : {" 0 1", " 1 0"}) {
        const std::string path = p.Path("two.mdx");
        WriteFile(path, Document(Block(1, "A", "0.90", Row("00+00.000", 3), std::string(" ") + flags[1] + " ") +
                                 Block(2, "B", "1.00", Row("00+00.000", 3), std::string(" ") + flags[3] + " ")));
        p.s.doc.DataChanged = false;
        p.Open(path);
        EXPECT_EQ(p.s.form.txtShrinkFactor.enabled, flags[1] == '0') << flags;
    }
}

// A path that was not opened never names the document: a later Save would
// write the document over it.
TEST(FileOpen, APathNotOpenedIsReportedAndNeverNamesTheDocument)
{
    const struct { const char* name; const char* content; const char* message; } cases[] = {
        {"nothing.mdx", nullptr, "NO FILE EXIST BY THE NAME : "},
        {"v3.mdx", "[VERSION 3]\r\n", "FILE IS NOT COMPATIBLE WITH PRESENT VERSION OF THE PROGRAM."},
    };
    for (const auto& c : cases) {
        Program p;
        const std::string path = p.Path(c.name);
        if (c.content) WriteFile(path, c.content);
        p.ask.Then(Picks(path));
        p.ask.Then(Says(c.content ? std::string(c.message) : c.message + path));
        EXPECT_EQ(OpenFileCommand(p.s), 1);
        EXPECT_TRUE(p.ask.sawAll());
        EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED") << c.name;
        EXPECT_EQ(p.s.form.Caption, "MARDEX :UNTITLED");
    }
}

TEST(FileOpen, AnExistingFileOfAnotherKindIsNotOpenedAndNothingIsShown)
{
    Program p;
    const std::string path = p.Path("notes.txt");
    WriteFile(path, ReadFile(TestData("cases/worked_example.mdx")));
    p.ask.Then(Picks(path));
    EXPECT_EQ(OpenFileCommand(p.s), 1);
    EXPECT_TRUE(p.ask.shown.empty());
    EXPECT_EQ(p.s.store[0].EndRow(), 0);
}

TEST(FileOpen, TheDialogProposesLogsInLogMode)
{
    Program p;
    p.s.doc.LogMode = true;
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    AcceptInputFilename(p.s, 0);
    ASSERT_EQ(p.ask.dialogs.size(), 1u);
    EXPECT_EQ(p.ask.dialogs[0].filterIndex, 2);
    EXPECT_EQ(p.ask.dialogs[0].mode, FileDialogMode::Open);
}

TEST(FileOpen, OpenSucceedsReturnsZero)
{
    Program p;
    const std::string path = p.Path("w.MDX");
    WriteFile(path, ReadFile(TestData("cases/worked_example.mdx")));
    p.ask.Then(Picks(path));
    EXPECT_EQ(OpenFileCommand(p.s), 0);
    EXPECT_EQ(p.s.doc.SheetCount, 2);
}

// Save of a document that has a file writes it without a question; the
// overwrite question stays for a save onto any other existing file.
TEST(FileSave, TheDocumentsOwnFileIsSavedWithoutAQuestionAnotherExistingFileIsAskedFor)
{
    struct Case {
        const char* what;
        bool saveAs;
        const char* target;  // the name chosen in the save dialog
        bool asked;
    };
    const Case cases[] = {
        {"Save", false, nullptr, false},
        {"Save As onto the same file", true, "doc.mdx", false},
        {"Save As onto another existing file", true, "other.mdx", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program p;
        WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3))));
        WriteFile(p.Path("other.mdx"), "old");
        p.Open(p.Path("doc.mdx"));
        SetDescriText(p.s, 0, "TYPED");
        const std::string target = c.target ? p.Path(c.target) : p.Path("doc.mdx");
        if (c.saveAs) p.ask.Then(Picks(target));
        if (c.asked) p.ask.Then(Asks(" OVERWRITE EXISTING FILE " + target + " ?", Answer::Yes));
        p.ask.Then(Says(" FILE : " + target + " IS SAVED SUCCESSFULLY"));
        if (c.saveAs) mnuFileSaveAs_Click(p.s);
        else mnuFileSave_Click(p.s);
        EXPECT_TRUE(p.ask.sawAll());
        EXPECT_NE(ReadFile(target).find("TYPED"), std::string::npos);
        // Saved once, the file is the document's: the next Save asks nothing.
        SetDescriText(p.s, 0, "AGAIN");
        p.ask.Then(Says(" FILE : " + target + " IS SAVED SUCCESSFULLY"));
        mnuFileSave_Click(p.s);
        EXPECT_TRUE(p.ask.sawAll());
        EXPECT_NE(ReadFile(target).find("AGAIN"), std::string::npos);
    }
}

// A log opened in place of a document is headed as the command-line tool
// heads it: with blank Designer, Project No and Control No.
TEST(FileOpen, ALogOpenedAfterADocumentHasBlankHeaderFieldsAsTheToolGivesIt)
{
    Program p;
    WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3))));
    p.Open(p.Path("doc.mdx"));
    ASSERT_EQ(p.s.doc.DescriptionFields[0], "DESIGNER");
    const std::string log = p.Path("h01_basic_english.log");
    WriteFile(log, ReadFile(TestData("log_cases/h01_basic_english.log")));
    p.Open(log);
    ASSERT_TRUE(p.s.doc.LogMode);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(p.s.doc.DescriptionFields[i], "");
        EXPECT_EQ(p.s.form.txtDescri[i].text, "");
    }
    EXPECT_EQ(ReadFile(p.Path("h01_basic_english.rpt")), ReadFile(TestData("log_cases/h01_basic_english.total.rpt")));
}

TEST(IfUntitled, ReturnsTheNameOrAsks)
{
    Program p;
    p.s.doc.CurrentFileName = "/a/b.mdx";
    EXPECT_EQ(IfUntitled(p.s, 1), "/a/b.mdx");
    p.s.doc.CurrentFileName = "untitled";
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    EXPECT_EQ(IfUntitled(p.s, 1), "UNTITLED");
    p.ask.Then(Picks("/x/y.mdx"));
    EXPECT_EQ(IfUntitled(p.s, 1), "/x/y.mdx");
    EXPECT_TRUE(p.ask.sawAll());
}

TEST(StripFile, TakesTheTextAfterTheLastSlashOrBackslash)
{
    EXPECT_EQ(StripFile("/home/me/road.mdx"), "road.mdx");
    EXPECT_EQ(StripFile("C:\\data\\road.mdx"), "road.mdx");
    EXPECT_EQ(StripFile("a\\b/c.mdx"), "c.mdx");
    EXPECT_EQ(StripFile("road.mdx"), "road.mdx");
    EXPECT_EQ(StripFile("dir/"), "");
}

} // namespace
} // namespace mardex::test
