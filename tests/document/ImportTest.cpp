// Import MDX File: further sheets from another document.
#include "DocumentFixture.h"

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
    WriteFile(p.Path("more.mdx"), Document(Block(1, "X", "0.90", Row("00+00.000", 4)) + Block(2, "", "1.00", ""),
                                           "[METRIC]"));
    p.ask.Then(Picks(p.Path("more.mdx")));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.s.doc.SheetCount, 4);
    EXPECT_EQ(p.s.form.Tabs, (std::vector<std::string>{"BL1", "Ramp A", "X", "Mardex 4"}));
    EXPECT_EQ(p.s.store[1].EndRow(), 1) << "the last existing sheet keeps its rows";
    EXPECT_EQ(p.Cell(2, ColCut, 0), "4.00");
    EXPECT_EQ(p.s.store[2].BalanceFactor, "0.9");
    EXPECT_EQ(p.s.store[3].EndRow(), 0);
    EXPECT_EQ(p.s.doc.CurrentSheet, 3) << "the last sheet read stays current";
    EXPECT_EQ(p.s.doc.DescriptionFields[0], "DESIGN UNIT 4") << "descriptions are not imported";
    EXPECT_EQ(p.s.doc.UnitSystem, 1);
    EXPECT_EQ(p.s.doc.DataChanged, 0);
    EXPECT_EQ(p.s.doc.ImportDone, 1);
    EXPECT_FALSE(p.s.form.mnuFileSaveEnabled);
    EXPECT_FALSE(p.s.form.mnuFileSaveAsEnabled);
    EXPECT_FALSE(p.s.form.mnuEditEnabled);
    EXPECT_FALSE(p.s.form.txtShrinkFactor.visible);
    EXPECT_FALSE(p.s.form.Label4Visible);
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
    EXPECT_EQ(p.s.form.Tabs, (std::vector<std::string>{"BL1", "Ramp A", "Ramp A"}));
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
    EXPECT_EQ(p.s.form.Tabs.size(), 2u);
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
