// Malformed documents give the program's message and never crash, hang or
// change the document already open.
#include "DocumentFixture.h"

#include "app/DocumentWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace mardex::test {
namespace {

// A program with the worked example open (unchanged), so that a failed Open
// can be checked against it.
struct WithOpenDocument : ::testing::Test {
    Program p;
    std::string before;

    void SetUp() override
    {
        WriteFile(p.Path("good.mdx"), ReadFile(TestData("cases/worked_example.mdx")));
        p.Open(p.Path("good.mdx"));
        ASSERT_TRUE(p.ask.sawAll());
        before = SheetDocumentText(p.s);
    }

    // Opens `content` as bad.mdx; every box shown is recorded.
    void OpenBad(const std::string& content)
    {
        WriteFile(p.Path("bad.mdx"), content);
        // The reader's refusals and its note on short rows; nothing else.
        p.ask.expectedMessages = {"(ReadFileVersion2002(NewFileIO))", " occured in GetParameters(NewFileIO).",
                                  "FILE IS NOT COMPATIBLE WITH PRESENT VERSION OF THE PROGRAM."};
        p.Open(p.Path("bad.mdx"));
    }

    bool DocumentUnchanged() { return SheetDocumentText(p.s) == before && p.s.doc.SheetCount == 2; }
    bool Shown(const std::string& part) const
    {
        for (const auto& text : p.ask.shown)
            if (text.find(part) != std::string::npos) return true;
        return false;
    }
};

TEST_F(WithOpenDocument, EmptyFileIsNotCompatible)
{
    OpenBad("");
    EXPECT_TRUE(Shown("FILE IS NOT COMPATIBLE WITH PRESENT VERSION OF THE PROGRAM."));
    EXPECT_TRUE(DocumentUnchanged());
}

TEST_F(WithOpenDocument, BinaryGarbageIsNotCompatible)
{
    std::mt19937 random(7);
    std::string garbage(4096, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    garbage[0] = '\x01';
    OpenBad(garbage);
    EXPECT_TRUE(Shown("FILE IS NOT COMPATIBLE"));
    EXPECT_TRUE(DocumentUnchanged());
}

TEST_F(WithOpenDocument, GarbageAfterAValidFirstLineNeverCrashes)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        std::string text = "[VERSION 2002]\r\n";
        for (int i = 0; i < 3000; ++i) {
            const char pick[] = {'[', ']', '#', '+', ' ', '\t', '\r', '\n', '0', '5', '.', 'E', 'N', 'D', '-', '\0'};
            text += random() % 3 == 0 ? static_cast<char>(random()) : pick[random() % sizeof pick];
        }
        OpenBad(text);
        EXPECT_LE(p.s.doc.SheetCount, MaxSheets);
        EXPECT_GE(p.s.doc.SheetCount, 1);
        for (int t = 0; t < p.s.doc.SheetCount; ++t) EXPECT_LE(p.s.store[t].EndRow(), MaxDataRows);
    }
}

TEST_F(WithOpenDocument, BracketLineWithoutBlankNamesTheLineAndLeavesTheDocument)
{
    OpenBad(Document(Block(1, "A", "1.00", Row("00+00.000", 5)) + "[NOTE]\r\n"));
    EXPECT_TRUE(Shown("Program Error: " + p.Path("bad.mdx") + ", line 13: a bracket line without a blank"));
    EXPECT_TRUE(Shown("(ReadFileVersion2002(NewFileIO))"));
    EXPECT_TRUE(DocumentUnchanged());
    EXPECT_EQ(p.s.doc.CurrentFileName, p.Path("good.mdx"));
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + p.Path("good.mdx"));
}

TEST_F(WithOpenDocument, TruncatedDocumentsReadWhatIsThereOrSaySo)
{
    const std::string full = ReadFile(TestData("cases/worked_example.mdx"));
    for (std::size_t cut = 1; cut < full.size(); cut += 7) {
        OpenBad(full.substr(0, cut));
        EXPECT_GE(p.s.doc.SheetCount, 1) << cut;
        EXPECT_LE(p.s.doc.SheetCount, 2) << cut;
        for (int t = 0; t < p.s.doc.SheetCount; ++t) EXPECT_LT(p.s.store[t].EndRow(), RowSlots) << cut;
    }
}

TEST_F(WithOpenDocument, MoreThan1800RowsInOneSheetIsRefusedWithTheLine)
{
    std::string rows;
    for (int r = 0; r < 2000; ++r) rows += Row(FormatStation(r * 10.0), 1);
    OpenBad(Document(Block(1, "BIG", "1.00", rows)));
    EXPECT_TRUE(Shown(p.Path("bad.mdx") + ", line 1812: a sheet has more than 1800 rows"));
    EXPECT_TRUE(DocumentUnchanged());
}

TEST_F(WithOpenDocument, ExactlyFullSheetOf1800RowsReads)
{
    std::string rows;
    for (int r = 0; r < MaxDataRows; ++r) rows += Row(FormatStation(r * 10.0), 1);
    OpenBad(Document(Block(1, "FULL", "1.00", rows)));
    EXPECT_TRUE(p.ask.shown.empty());
    EXPECT_EQ(p.s.store[0].EndRow(), MaxDataRows);
    EXPECT_EQ(p.s.form.grid.Rows(), MaxDataRows + 3);
}

TEST_F(WithOpenDocument, ThirtySheetsAreRefused)
{
    std::string blocks;
    for (int t = 1; t <= 30; ++t) blocks += Block(t, "S" + std::to_string(t), "1.00", Row("00+00.000", t));
    OpenBad(Document(blocks));
    EXPECT_TRUE(Shown("the document has more than 26 sheets"));
    EXPECT_TRUE(DocumentUnchanged());
}

TEST_F(WithOpenDocument, TwentySixSheetsRead)
{
    std::string blocks;
    for (int t = 1; t <= 26; ++t) blocks += Block(t, "S" + std::to_string(t), "1.00", Row("00+00.000", t));
    OpenBad(Document(blocks));
    EXPECT_TRUE(p.ask.shown.empty());
    EXPECT_EQ(p.s.doc.SheetCount, 26);
    EXPECT_EQ(p.s.store[25].TabName, "S26");
}

TEST_F(WithOpenDocument, ATenMegabyteLineIsReadWithoutHarm)
{
    const std::string huge(10 * 1024 * 1024, '7');
    const std::string stray(10 * 1024 * 1024, 'x');
    OpenBad(Document(Block(1, "A", "1.00", Row("00+00.000", 1) + "00+01.000 - 1 " + huge + " 2 3\r\n" + stray + "\r\n")));
    // Digits beyond any double are no number a report can count: the line
    // is named, the open document stays.
    EXPECT_TRUE(Shown("bad.mdx, line 13: the added cut \"" + huge.substr(0, 40) + "\" is no finite number"));
    EXPECT_TRUE(DocumentUnchanged());
}

TEST_F(WithOpenDocument, AHugeEmbankmentValueIsAMessageNotAFault)
{
    OpenBad(Document(Block(1, "A", "1.00", Row("00+00.000", 1), "1e300")));
    EXPECT_TRUE(Shown("the embankment value is out of range"));
    EXPECT_TRUE(DocumentUnchanged());
}

// What is read is kept exactly, and a second save writes the same bytes; a
// line the reader cannot keep is refused with its file and line.
TEST_F(WithOpenDocument, FieldsAreKeptExactlyAcrossASecondSaveOrRefused)
{
    const struct {
        std::string row;
        std::string cut;       // the cut area kept ("" when the line is refused)
        std::string refusal;
    } cases[] = {
        {"01+00.000 - 123456789012345678.00 0.00 0.00 0.00", "123456789012345678.00", ""},
        {"01+00.000 - 1e308 0.00 0.00 0.00", "1e308", ""},
        {"01+00.000 - 12345678901234.5 0.00 0.00 0.00", "12345678901234.5", ""},
        {"01+00.000 - 1234567890123.5 0.00 0.00 0.00", "1234567890123.50", ""},
        {std::string("01+00.0\0" "00 - 5 0.00 0.00 0.00", 29), "", "line 12: the line holds a NUL byte"},
        // Values that are no number a report can count.
        {"01+00.000 - nan 0.00 0.00 0.00", "", "line 12: the cut area \"nan\" is no finite number"},
        {"01+00.000 - 0.00 -INF 0.00 0.00", "", "line 12: the added cut \"-INF\" is no finite number"},
        {"inf - 0.00 0.00 0.00 +0.00", "", "line 12: the station \"inf\" is no finite number"},
        {"01+00.000 - 0.00 0.00 1e999 0.00", "", "line 12: the fill area \"1e999\" is no finite number"},
        {"01+00.000 - 0.00 0.00 0.00 -nan(0x8)", "", "line 12: the added fill \"-nan(0x8)\" is no finite number"},
        {"01+00.000 nan 0.00 0.00 0.00 0.00", "nan", ""},  // a code is text
    };
    for (const auto& c : cases) {
        p.ask.shown.clear();
        const std::string open = SheetDocumentText(p.s);
        OpenBad(Document(Block(1, "A", "1.00", c.row + "\r\n")));
        if (!c.refusal.empty()) {
            EXPECT_TRUE(Shown(p.Path("bad.mdx") + ", " + c.refusal)) << c.refusal;
            EXPECT_EQ(SheetDocumentText(p.s), open);
            continue;
        }
        ASSERT_EQ(p.Cell(0, c.cut == "nan" ? ColCode : ColCut, 0), c.cut);
        const std::string first = SheetDocumentText(p.s);
        WriteFile(p.Path("again.mdx"), first);
        p.Open(p.Path("again.mdx"));
        EXPECT_EQ(p.Cell(0, c.cut == "nan" ? ColCode : ColCut, 0), c.cut);
        EXPECT_EQ(SheetDocumentText(p.s), first);
    }
}

} // namespace
} // namespace mardex::test
