// Import MDX File: further sheets from another document.
#include "DocumentFixture.h"

#include "app/HeaderFields.h"
#include "app/TabStrip.h"
#include "app/DocumentWriter.h"
#include "text/LikePattern.h"

#include <gtest/gtest.h>

namespace mardex::test {
namespace {

const std::string SameNameQuestion =
    " Just a warning that you are importing same named tab or a group. Do you want to change it?";

struct WorkedExampleOpen : ::testing::Test {
    Program p;

    void SetUp() override
    {
        WriteFile(p.Path("w.mdx"), ReadFile(TestData("cases/worked_example.mdx")));
        p.Open(p.Path("w.mdx"));
        ASSERT_EQ(p.s.doc.SheetCount, 2);
    }
};

TEST_F(WorkedExampleOpen, AppendsTheSheetsAfterTheExistingOnes)
{
    WriteFile(p.Path("more.mdx"), Document(Block(1, "X", "0.90", Row("00+00.000", 4)) + Block(2, "", "1.00", "")));
    p.ask.Then(Picks(p.Path("more.mdx")));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.s.doc.SheetCount, 4);
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"BL1", "Ramp A", "X", "Mardex 4"}));
    EXPECT_EQ(p.s.store[1].EndRow(), 1) << "the last existing sheet keeps its rows";
    EXPECT_EQ(p.Cell(2, ColCut, 0), "4.00");
    EXPECT_EQ(p.s.store[2].BalanceFactor, "0.9");
    EXPECT_EQ(p.s.store[3].EndRow(), 0);
    EXPECT_EQ(p.s.doc.CurrentSheet, 3) << "the last sheet read stays current";
    EXPECT_EQ(p.s.doc.DescriptionFields[0], "DESIGN UNIT 4") << "descriptions are not imported";
    EXPECT_EQ(p.s.doc.UnitSystem, 0);
    // The sheets added are a change of the document, saved with it.
    EXPECT_TRUE(p.s.doc.DataChanged);
    EXPECT_TRUE(p.s.doc.ImportDone);
    EXPECT_TRUE(p.s.form.mnuFileSaveEnabled);
    EXPECT_TRUE(p.s.form.mnuFileSaveAsEnabled);
    EXPECT_TRUE(p.s.form.mnuEditEnabled);
    EXPECT_TRUE(p.s.form.txtShrinkFactor.visible);
    EXPECT_TRUE(p.s.form.Label4Visible);
}

// Sheets of the other unit system would make the reports mix units.
TEST_F(WorkedExampleOpen, ADocumentInTheOtherUnitSystemIsRefusedAndChangesNothing)
{
    const std::string before = SheetDocumentText(p.s);
    const std::string path = p.Path("metric.mdx");
    WriteFile(path, Document(Block(1, "BL1", "1.00", Row("00+00.000", 4)), "[METRIC]"));
    p.ask.Then(Picks(path));
    p.ask.Then(Says(path + " is in metric units and the open document in English units: nothing was imported."));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll()) << "refused before the same-name question";
    EXPECT_EQ(SheetDocumentText(p.s), before);
    EXPECT_EQ(p.s.doc.UnitSystem, 0);
    EXPECT_EQ(p.s.form.Label5Caption, "English System");
    EXPECT_TRUE(p.s.form.mnuFileSaveEnabled) << "an import that read nothing changes no menu";
}

// Import keeps the document's name; typing not yet saved is offered a save
// first, as Open offers it, and Cancel imports nothing.
TEST_F(WorkedExampleOpen, UnsavedTypingIsOfferedASaveFirst)
{
    const std::string doc = p.Path("w.mdx"), more = p.Path("more.mdx");
    WriteFile(more, Document(Block(1, "X", "1.00", Row("00+00.000", 4))));
    const std::string question = "Wish to save : " + doc + " before importing other file ?";
    const struct { Answer answer; int sheetsAfter; bool designerSaved; } cases[] = {
        {Answer::Cancel, 2, false}, {Answer::No, 3, false}, {Answer::Yes, 3, true}};
    for (const auto& c : cases) {
        WriteFile(doc, ReadFile(TestData("cases/worked_example.mdx")));
        Program q;
        q.Open(doc);
        SetDescriText(q.s, 0, "TYPED");
        q.ask.Then(Asks(question, c.answer));
        if (c.answer == Answer::Cancel) q.ask.Then(Says("File : " + doc + " was not saved"));
        // The document's own file is saved without an overwrite question.
        if (c.answer == Answer::Yes) q.ask.Then(Says(" FILE : " + doc + " IS SAVED SUCCESSFULLY"));
        if (c.answer != Answer::Cancel) q.ask.Then(Picks(more));
        mnuImportFile_Click(q.s);
        EXPECT_TRUE(q.ask.sawAll());
        EXPECT_EQ(q.s.doc.SheetCount, c.sheetsAfter);
        EXPECT_EQ(q.s.doc.CurrentFileName, doc);
        EXPECT_EQ(ReadFile(doc).find("TYPED") != std::string::npos, c.designerSaved);
        EXPECT_TRUE(q.s.doc.DataChanged) << "unsaved typing, or the sheets just imported";
    }
}

TEST_F(WorkedExampleOpen, AnImportWhoseDialogIsCancelledKeepsTheChangedMarkAndTheMenus)
{
    SetDescriText(p.s, 0, "TYPED");
    p.ask.Then(Asks("", Answer::No));
    p.ask.Then(Picks(std::nullopt));
    p.ask.Then(Says("NO FILE IS SELECTED"));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_TRUE(p.s.doc.DataChanged) << "Exit still asks before the typing is dropped";
    EXPECT_TRUE(p.s.form.mnuFileSaveEnabled);
    EXPECT_FALSE(p.s.doc.ImportDone);
}

TEST_F(WorkedExampleOpen, TypingAfterAnImportIsOfferedASaveByOpen)
{
    WriteFile(p.Path("more.mdx"), Document(Block(1, "X", "1.00", Row("00+00.000", 4))));
    p.ask.Then(Picks(p.Path("more.mdx")));
    mnuImportFile_Click(p.s);
    SetDescriText(p.s, 0, "TYPED");
    p.ask.Then(Asks("Wish to save : " + p.Path("w.mdx") + " before opening other file ?", Answer::Cancel));
    p.ask.Then(Says("File : " + p.Path("w.mdx") + " was not saved"));
    mnuFileOpen_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 3);
    EXPECT_TRUE(p.s.doc.DataChanged);
}

// After a log, Open of a sheet document imports sheet documents again; while
// a log is open, Import takes only logs, so a document picked there never
// becomes the document that Save or Exit writes.
TEST(ImportAfterALog, OpenOfADocumentImportsDocumentsAndTheLogBranchTakesOnlyLogs)
{
    Program p;
    const std::string log = p.Path("road.log"), doc = p.Path("w.mdx");
    WriteFile(log, ReadFile(TestData("log_cases/h01_basic_english.log")));
    WriteFile(doc, ReadFile(TestData("cases/worked_example.mdx")));
    p.Open(log);
    ASSERT_EQ(p.s.form.importKind, ImportKind::Logs);
    EXPECT_FALSE(p.s.form.mnuFileSaveEnabled) << "a log is never saved as a sheet document";

    p.ask.Then(Picks(doc));
    p.ask.Then(Says(" The file selected is not a Geopak Earthwork log file"));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.CurrentFileName, log);
    EXPECT_EQ(p.s.doc.SheetCount, 1);
    EXPECT_TRUE(p.s.doc.LogMode);

    p.Open(doc);
    EXPECT_EQ(p.s.form.importKind, ImportKind::SheetDocuments);
    EXPECT_FALSE(p.s.doc.LogMode);
    EXPECT_EQ(p.s.form.StatusText, doc) << "the status bar names the document opened";
}

TEST_F(WorkedExampleOpen, SameNamedSheetCanBeRenamed)
{
    WriteFile(p.Path("dup.mdx"), Document(Block(1, "BL1", "1.00", Row("00+00.000", 1))));
    p.ask.Then(Picks(p.Path("dup.mdx")));
    p.ask.Then(Asks(SameNameQuestion, Answer::Yes));
    p.ask.Then(Types("Print the tab or groupname", "BL1 copy"));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.ask.boxes.size(), 1u);
    EXPECT_EQ(p.ask.boxes[0].title, "Warning");
    EXPECT_EQ(p.ask.boxes[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(p.ask.inputs[0].title, "Change Tab Name");
    EXPECT_EQ(p.s.store[2].TabName, "BL1 copy");
}

TEST_F(WorkedExampleOpen, SameNamedSheetKeptWithNo)
{
    WriteFile(p.Path("dup.mdx"), Document(Block(1, "Ramp A", "1.00", Row("00+00.000", 1))));
    p.ask.Then(Picks(p.Path("dup.mdx")));
    p.ask.Then(Asks(SameNameQuestion, Answer::No));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"BL1", "Ramp A", "Ramp A"}));
}

TEST_F(WorkedExampleOpen, ANameWithoutMdxImportsNothing)
{
    WriteFile(p.Path("more.txt"), Document(Block(1, "X", "1.00", Row("00+00.000", 1))));
    p.ask.Then(Picks(p.Path("more.txt")));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
}

TEST_F(WorkedExampleOpen, AnIncompatibleDocumentImportsNothingSilently)
{
    WriteFile(p.Path("v3.mdx"), "[VERSION 3]\r\n");
    p.ask.Then(Picks(p.Path("v3.mdx")));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
}

TEST_F(WorkedExampleOpen, AnImportBeyond26SheetsIsRefusedAndChangesNoSheet)
{
    const std::string before = SheetDocumentText(p.s);
    std::string blocks;
    for (int t = 1; t <= 25; ++t) blocks += Block(t, "S" + std::to_string(t), "1.00", Row("00+00.000", t));
    WriteFile(p.Path("many.mdx"), Document(blocks));
    p.ask.Then(Picks(p.Path("many.mdx")));
    p.ask.Then(Says(""));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_NE(p.ask.shown.back().find(p.Path("many.mdx")), std::string::npos);
    EXPECT_NE(p.ask.shown.back().find(" occured in mnuGroupInsert"), std::string::npos);
    EXPECT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_EQ(TabCaptions(p.s).size(), 2u);
}

TEST_F(WorkedExampleOpen, AnEmptyMiddleSheetKeepsItsPlace)
{
    WriteFile(p.Path("gap.mdx"), Document(Block(1, "P", "1.00", Row("00+00.000", 1)) + Block(2, "Q", "1.00", "") +
                                          Block(3, "R", "1.00", Row("00+00.000", 3))));
    p.ask.Then(Picks(p.Path("gap.mdx")));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.s.doc.SheetCount, 5);
    EXPECT_EQ(p.s.store[3].TabName, "Q");
    EXPECT_EQ(p.s.store[3].EndRow(), 0);
    EXPECT_EQ(p.s.store[4].TabName, "R");
    EXPECT_EQ(p.Cell(4, ColCut, 0), "3.00");
}

TEST_F(WorkedExampleOpen, AnOlderLayoutDocumentImportsWithTheCodeDash)
{
    WriteFile(p.Path("old.mdx"), "[VERSION 97.1]\r\nD\r\nP\r\nC\r\n[END AREA 1 OLD]\r\n#BALANCE FACTOR\r\n0.95\r\n"
                                 "#MEASURED IN EMBANKMENT\r\n 0 \r\n#STATION\r\n00+00.000 5 0 6 0\r\n[LAST RECORD]\r\n");
    p.ask.Then(Picks(p.Path("old.mdx")));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.s.doc.SheetCount, 3);
    EXPECT_EQ(p.Cell(2, ColCode, 0), "-");
    EXPECT_EQ(p.Cell(2, ColFill, 0), "6.00");
    EXPECT_EQ(p.s.doc.UnitSystem, 0);
}

TEST(LikePattern, WildcardsListsAndDigits)
{
    EXPECT_TRUE(MatchesLike("Ramp A", "Ramp A"));
    EXPECT_FALSE(MatchesLike("ramp a", "Ramp A"));
    EXPECT_TRUE(MatchesLike("Ramp A", "Ramp ?"));
    EXPECT_TRUE(MatchesLike("BL12", "BL#*"));
    EXPECT_FALSE(MatchesLike("BLx", "BL#"));
    EXPECT_TRUE(MatchesLike("B", "[A-C]"));
    EXPECT_FALSE(MatchesLike("B", "[!A-C]"));
    EXPECT_TRUE(MatchesLike("", "*"));
    EXPECT_FALSE(MatchesLike("[", "["));
    EXPECT_TRUE(MatchesLike("abcXdef", "a*X*f"));
    EXPECT_FALSE(MatchesLike("abcdef", "a*X*f"));
    EXPECT_TRUE(MatchesLike("aXbXc", "*X?"));
}

TEST(LikePattern, ManyStarsAgainstALongNameAnswerAtOnce)
{
    const std::string name(5000, 'a');
    std::string pattern;
    for (int i = 0; i < 40; ++i) pattern += "*a";
    EXPECT_FALSE(MatchesLike(name, pattern + "*b"));
    EXPECT_TRUE(MatchesLike(name, pattern + "*"));
}

} // namespace
} // namespace mardex::test
