// The writer's layout and what a written document reads back as.
#include "DocumentFixture.h"

#include "app/HeaderFields.h"
#include "text/AreaText.h"
#include "app/DocumentWriter.h"
#include "model/SheetStore.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mardex::test {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

TEST(DocumentWriter, WorkedExampleReadsBackAndIsWrittenByteIdentical)
{
    Program p;
    const std::string original = ReadFile(TestData("cases/worked_example.mdx"));
    WriteFile(p.Path("in.mdx"), original);
    p.Open(p.Path("in.mdx"));
    ASSERT_TRUE(p.ask.sawAll());
    EXPECT_EQ(SheetDocumentText(p.s), original);
}

TEST(DocumentWriter, ShownFactorIsStoredTwoDecimalsUnshownKeepsShortestForm)
{
    Program p;
    WriteFile(p.Path("f.mdx"), Document(Block(1, "A", "1.00", Row("00+00.000", 1)) + Block(2, "B", "1.50", Row("00+00.000", 2))));
    p.Open(p.Path("f.mdx"));
    EXPECT_EQ(p.s.store[0].BalanceFactor, "1.00");  // shown through the factor box
    EXPECT_EQ(p.s.store[1].BalanceFactor, "1.5");   // never shown: the reader's shortest form
    const auto lines = Lines(SheetDocumentText(p.s));
    EXPECT_EQ(lines[7], "1.00");
    EXPECT_EQ(lines[14], "1.5");
}

TEST(DocumentWriter, HeaderAndBlockLayout)
{
    Program p;
    p.s.doc.UnitSystem = 1;
    SetDescriText(p.s, 0, "D");
    SetDescriText(p.s, 1, "");
    SetDescriText(p.s, 2, "1234");
    p.s.doc.SheetCount = 2;
    p.s.store[0].TabName = "";
    p.s.store[1].TabName = "Main line";
    p.s.store[1].MeasuredInEmbankment = 1;
    p.s.store[1].SetCell(ColStation, 0, "-1");
    const auto lines = Lines(SheetDocumentText(p.s));
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "[VERSION 2002]");
    EXPECT_EQ(lines[1], "[METRIC]");
    EXPECT_EQ(lines[2], "D");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "1234");
    EXPECT_EQ(lines[5], "[END AREA 1 ]");
    EXPECT_EQ(lines[9], " 0 ");
    EXPECT_EQ(lines[10].size(), 83u);
    EXPECT_EQ(lines[11], "[END AREA 2 Main line]");
    EXPECT_EQ(lines[15], " 1 ");
    EXPECT_EQ(lines[17], "[LAST RECORD]");
}

TEST(DocumentWriter, EmptyCellsBecomeZeroPointZeroInTheStoreAndTheLine)
{
    Sheet sheet;
    sheet.SetCell(ColStation, 0, "");
    sheet.SetCell(ColCut, 0, "12.5");
    EXPECT_EQ(RowLine(sheet, 0), "00+00.000         0.0       12.50        0.00        0.00        0.00");
    for (int c = 0; c < ColumnCount; ++c)
        if (c != ColCut) {
            EXPECT_EQ(sheet.Cell(c, 0), "0.0") << "column " << c;
        }
}

TEST(DocumentWriter, TextsThatAreNotNumbersAreWrittenUnchangedRightAligned)
{
    Sheet sheet;
    const char* cells[] = {"10+5.5", "FB", "n/a", "1", "12+5", "-3.456"};
    for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, 0, cells[c]);
    EXPECT_EQ(RowLine(sheet, 0), "10+5.5          FB         n/a        1.00        12+5       -3.46");
}

TEST(DocumentWriter, AFieldLongerThanItsColumnKeepsABlankBeforeIt)
{
    Sheet sheet;
    const char* cells[] = {"123456789", "LONGCODE12345", "1234567890.00", "123456789012", "0", "999999999.75"};
    for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, 0, cells[c]);
    const std::string line = RowLine(sheet, 0);
    EXPECT_EQ(line, "1234567+89.000 LONGCODE12345 1234567890.00 123456789012.00        0.00 999999999.75");
}

TEST(DocumentWriter, StreamOverloadWritesTheSameBytes)
{
    Program p;
    std::ostringstream out;
    Write2002VersionFile(p.s, out);
    EXPECT_EQ(out.str(), SheetDocumentText(p.s));
    EXPECT_EQ(out.str().substr(0, 16), "[VERSION 2002]\r\n");
}

} // namespace
} // namespace mardex::test

namespace mardex::test {
namespace {

// The shortcut for texts already in the area mask must agree with the mask.
TEST(AreaFieldText, AgreesWithTheMaskOnEveryKindOfText)
{
    const char* texts[] = {"0.00", "12.50", "-3.46", "1500.00", "123456789012.34", "1234567890123.45", "00.50",
                           "-0.00", "0.5", "12.5", "1e3", "+1.00", " 1.00", "1.00 ", "12+5", "", ".50", "-.50",
                           "9999999999999.99", "0.10", "n/a", "-0.01", "1.005"};
    for (const char* text : texts) {
        EXPECT_EQ(AreaFieldText(text), FormatAreaText(text)) << '"' << text << '"';
        if (IsAreaMaskText(text)) {
            EXPECT_EQ(FormatAreaText(text), text) << '"' << text << '"';
        }
    }
    EXPECT_TRUE(IsAreaMaskText("12.50"));
    EXPECT_FALSE(IsAreaMaskText("-0.00"));
    EXPECT_FALSE(IsAreaMaskText("1234567890123456.00"));
}

} // namespace
} // namespace mardex::test
