// Reading sheet documents: the line rules and the corrections of the reader.
#include "DocumentFixture.h"

#include "app/HeaderFields.h"
#include "app/TabStrip.h"
#include "app/DocumentReader.h"
#include "app/DocumentWriter.h"
#include "formats/RowFields.h"

#include <gtest/gtest.h>

namespace mardex::test {
namespace {

TEST(DocumentReader, SaveThenOpenKeepsNamesRowsFactorsAndFlags)
{
    Program a;
    a.s.doc.SheetCount = 3;
    const char* names[] = {"BL1", "Ramp A", "Main line"};
    const char* factors[] = {"0.90", "1.25", "1.00"};
    for (int t = 0; t < 3; ++t) {
        Sheet& sheet = a.s.store[t];
        sheet.TabName = names[t];
        sheet.BalanceFactor = factors[t];
        sheet.MeasuredInEmbankment = t == 2 ? 1 : 0;
        for (int r = 0; r < 5 + t; ++r) {
            sheet.SetCell(ColStation, r, FormatStation(r * 50.0 + t));
            sheet.SetCell(ColCode, r, r == 1 ? "FB" : "-");
            for (int c = ColCut; c <= ColAddedFill; ++c) sheet.SetCell(c, r, FormatArea(r * 1.25 + c));
        }
        sheet.SetCell(ColStation, 5 + t, "-1");
    }
    std::string error;
    ASSERT_TRUE(Write2002VersionFile(a.s, a.Path("round.mdx"), error)) << error;

    Program b;
    b.Open(a.Path("round.mdx"));
    ASSERT_EQ(b.s.doc.SheetCount, 3);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(b.s.store[t].TabName, names[t]);
        EXPECT_EQ(b.s.store[t].MeasuredInEmbankment, a.s.store[t].MeasuredInEmbankment);
        EXPECT_EQ(b.s.store[t].EndRow(), 5 + t);
        for (int r = 0; r < 5 + t; ++r)
            for (int c = 0; c < ColumnCount; ++c) EXPECT_EQ(b.Cell(t, c, r), a.Cell(t, c, r)) << t << "," << c << "," << r;
    }
    EXPECT_EQ(b.s.store[0].BalanceFactor, "0.90");  // shown: stored back with two decimals
    EXPECT_EQ(b.s.store[1].BalanceFactor, "1.25");
    EXPECT_EQ(b.s.store[2].BalanceFactor, "01.000");  // measured in embankment, never shown
    EXPECT_TRUE(b.s.form.txtShrinkFactor.enabled) << "the box follows sheet 0, shown, not the last sheet read";
    EXPECT_EQ(TabCaptions(b.s), (std::vector<std::string>{"BL1", "Ramp A", "Main line"}));
    EXPECT_EQ(b.s.form.Caption, "MARDEX :" + a.Path("round.mdx"));
    EXPECT_FALSE(b.s.doc.DataChanged);
}

TEST(DocumentReader, DescriptionsAreTheThreeHeaderLinesWhateverTheyHold)
{
    Program p;
    WriteFile(p.Path("d.mdx"), "[VERSION 2002]\r\n[METRIC]\r\n#9\r\n+7\r\n1234\r\n" +
                                   Block(1, "A", "1.00", Row("00+00.000", 1)) + "[LAST RECORD]\r\n");
    p.Open(p.Path("d.mdx"));
    EXPECT_EQ(p.s.doc.DescriptionFields[0], "#9");
    EXPECT_EQ(p.s.doc.DescriptionFields[1], "+7");
    EXPECT_EQ(p.s.doc.DescriptionFields[2], "1234");
    EXPECT_EQ(p.s.form.txtDescri[2].text, "1234");
    EXPECT_EQ(p.s.doc.UnitSystem, 1);
    EXPECT_EQ(p.s.store[0].EndRow(), 1) << "the header lines were not taken as rows or sections";
    EXPECT_EQ(p.s.store[0].BalanceFactor, "1.00");
}

TEST(DocumentReader, AnEmptyMiddleSheetSurvives)
{
    Program p;
    WriteFile(p.Path("m.mdx"), Document(Block(1, "A", "1.00", Row("00+00.000", 1) + Row("01+00.000", 2)) +
                                        Block(2, "B", "0.90", "") +
                                        Block(3, "C", "1.25", Row("00+00.000", 3), " 1 ")));
    p.Open(p.Path("m.mdx"));
    ASSERT_EQ(p.s.doc.SheetCount, 3);
    EXPECT_EQ(p.s.store[1].TabName, "B");
    EXPECT_EQ(p.s.store[1].EndRow(), 0);
    EXPECT_EQ(p.s.store[1].BalanceFactor, "0.9");
    EXPECT_EQ(p.s.store[2].TabName, "C");
    EXPECT_EQ(p.s.store[2].MeasuredInEmbankment, 1);
    EXPECT_EQ(p.Cell(2, ColCut, 0), "3.00");
}

TEST(DocumentReader, ADocumentWithoutLastRecordClosesItsLastSheetAtTheEnd)
{
    Program p;
    std::string text = Document(Block(1, "A", "1.00", Row("00+00.000", 1)) + Block(2, "B", "1.00", Row("00+00.000", 2) + Row("01+00.000", 3)));
    text.erase(text.find("[LAST RECORD]"));
    WriteFile(p.Path("n.mdx"), text);
    p.Open(p.Path("n.mdx"));
    ASSERT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_EQ(p.s.store[1].TabName, "B");
    EXPECT_EQ(p.s.store[1].EndRow(), 2);
}

TEST(DocumentReader, TheLineAfterTheFactorHeaderIsTheFactorWhateverItHolds)
{
    Program p;
    WriteFile(p.Path("f.mdx"),
              Document(Block(1, "A", "0.875", Row("00+00.000", 1)) + Block(2, "B", "+1.25", Row("00+00.000", 1)) +
                       Block(3, "C", "n/a", Row("00+00.000", 1)) + Block(4, "D", "", Row("00+00.000", 1))));
    p.Open(p.Path("f.mdx"));
    ASSERT_EQ(p.s.doc.SheetCount, 4);
    EXPECT_EQ(p.s.store[0].BalanceFactor, "0.88");
    EXPECT_EQ(p.s.store[1].BalanceFactor, "1.25");
    EXPECT_EQ(p.s.store[2].BalanceFactor, "n/a");
    EXPECT_EQ(p.s.store[3].BalanceFactor, "");
    EXPECT_EQ(p.s.doc.DescriptionFields[0], "DESIGNER");
}

TEST(DocumentReader, StrayTextLinesAreIgnoredAndNeverBecomeDescriptions)
{
    Program p;
    std::string text = Document(Block(1, "A", "1.00", Row("00+00.000", 1) + "remark\r\n") + "note\r\n" +
                                Block(2, "B", "0.90", Row("00+00.000", 1)));
    WriteFile(p.Path("s.mdx"), text);
    p.Open(p.Path("s.mdx"));
    EXPECT_EQ(p.s.doc.DescriptionFields[0], "DESIGNER");
    EXPECT_EQ(p.s.doc.DescriptionFields[1], "PROJECT");
    EXPECT_EQ(p.s.doc.DescriptionFields[2], "CONTROL");
    EXPECT_EQ(p.s.doc.SheetCount, 2);
}

TEST(DocumentReader, AcceptsLoneCrAndLoneLfLineEnds)
{
    for (const char* end : {"\r", "\n"}) {
        Program p;
        std::string text = ReadFile(TestData("cases/worked_example.mdx"));
        std::string converted;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 2, "\r\n") == 0) {
                converted += end;
                ++i;
            } else {
                converted += text[i];
            }
        }
        WriteFile(p.Path("e.mdx"), converted);
        p.Open(p.Path("e.mdx"));
        EXPECT_EQ(SheetDocumentText(p.s), text) << "line end " << int(end[0]);
    }
}

TEST(DocumentReader, ADocumentWithoutDescriptionLinesClearsThePreviousOnes)
{
    Program p;
    WriteFile(p.Path("w.mdx"), ReadFile(TestData("cases/worked_example.mdx")));
    p.Open(p.Path("w.mdx"));
    ASSERT_EQ(p.s.doc.DescriptionFields[0], "DESIGN UNIT 4");
    WriteFile(p.Path("bare.mdx"), "[VERSION 2002]\r\n[ENGLISH]\r\n" + Block(1, "A", "1.00", Row("00+00.000", 1)) +
                                      "[LAST RECORD]\r\n");
    p.Open(p.Path("bare.mdx"));
    EXPECT_EQ(p.s.doc.DescriptionFields[0], "");
    EXPECT_EQ(p.s.form.txtDescri[2].text, "");
    EXPECT_EQ(p.s.store[0].TabName, "A");
    EXPECT_EQ(p.s.store[0].EndRow(), 1);
}

TEST(DocumentReader, NamesKeepInnerBlanksAndLoseLeadingOnes)
{
    Program p;
    WriteFile(p.Path("n.mdx"), Document(Block(1, "Main line", "1.00", Row("00+00.000", 1)) +
                                        Block(2, "  Ramp  B", "1.00", Row("00+00.000", 1))));
    p.Open(p.Path("n.mdx"));
    EXPECT_EQ(p.s.store[0].TabName, "Main line");
    EXPECT_EQ(p.s.store[1].TabName, "Ramp  B");
}

TEST(DocumentReader, NoSheetsReadsAsOneEmptySheetNamedMardex1)
{
    Program a;
    a.s.doc.SheetCount = 0;
    std::string error;
    ASSERT_TRUE(Write2002VersionFile(a.s, a.Path("z.mdx"), error)) << error;
    EXPECT_EQ(ReadFile(a.Path("z.mdx")).find("[END AREA"), std::string::npos);
    Program p;
    p.Open(a.Path("z.mdx"));
    EXPECT_EQ(p.s.doc.SheetCount, 1);
    EXPECT_EQ(p.s.store[0].EndRow(), 0);
    EXPECT_EQ(TabCaptions(p.s), std::vector<std::string>{"Mardex 1"});
}

TEST(DocumentReader, Version971RowsHaveFiveFieldsAndGetTheCodeDash)
{
    Program p;
    WriteFile(p.Path("old.mdx"), "[VERSION 97.1]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n[END AREA 1 OLD]\r\n#BALANCE FACTOR\r\n1.00\r\n"
                                 "#MEASURED IN EMBANKMENT\r\n 0 \r\n#STATION CUTAREA ADDEDCUT FILLAREA ADDEDFILL\r\n"
                                 "10+00.000 12.5 0 3.2 0\r\n10+50.000 14 0 0 1\r\n[LAST RECORD]\r\n");
    p.Open(p.Path("old.mdx"));
    EXPECT_TRUE(p.s.doc.LegacyFormat);
    ASSERT_EQ(p.s.store[0].EndRow(), 2);
    EXPECT_EQ(p.Cell(0, ColCode, 0), "-");
    EXPECT_EQ(p.Cell(0, ColCode, 1), "-");
    EXPECT_EQ(p.Cell(0, ColCut, 1), "14.00");
    EXPECT_EQ(p.Cell(0, ColAddedFill, 1), "1.00");
    const std::string saved = SheetDocumentText(p.s);
    EXPECT_EQ(saved.substr(0, 16), "[VERSION 2002]\r\n");
    EXPECT_NE(saved.find("10+50.000           -       14.00        0.00        0.00        1.00\r\n"), std::string::npos);
}

TEST(DocumentReader, EmbankmentSheetHoldsFactor01000UntilShown)
{
    Program p;
    WriteFile(p.Path("e.mdx"), Document(Block(1, "A", "0.90", Row("00+00.000", 1)) +
                                        Block(2, "B", "0.80", Row("00+00.000", 1), " 1 ")));
    p.Open(p.Path("e.mdx"));
    EXPECT_EQ(p.s.store[0].BalanceFactor, "0.90");
    EXPECT_EQ(p.s.store[1].BalanceFactor, "01.000");
    EXPECT_EQ(p.s.store[1].MeasuredInEmbankment, 1);
    EXPECT_TRUE(p.s.form.txtShrinkFactor.enabled);  // sheet A, shown, takes a factor
    EXPECT_EQ(p.s.form.txtShrinkFactor.text, "0.90");
}

TEST(DocumentReader, AnEmptyCodeIsWrittenAndReadBackAs00)
{
    Program a;
    a.s.store[0].SetCell(ColStation, 0, "00+00.000");
    a.s.store[0].SetCell(ColStation, 1, "-1");
    std::string error;
    ASSERT_TRUE(Write2002VersionFile(a.s, a.Path("c.mdx"), error)) << error;
    Program b;
    b.Open(a.Path("c.mdx"));
    EXPECT_EQ(b.Cell(0, ColCode, 0), "0.0");
}

TEST(DocumentReader, FirstLineDecidesCompatibility)
{
    Program p;
    struct Case { const char* first; int16_t result; bool legacy; };
    const Case cases[] = {{"", 1, false}, {"[VERSION 2002]", 0, false}, {"[VERSION 97.1]", 0, true},
                          {"[VERSION 3]", 1, false}, {"00000 old", 0, false}, {"VERSION 2002", 1, false}, {"[VERSION 2002", 1, false}};
    for (const Case& c : cases) {
        p.s.doc.LegacyFormat = false;
        p.s.doc.DataChanged = false;
        WriteFile(p.Path("v.mdx"), std::string(c.first) + "\r\nmore\r\n");
        EXPECT_EQ(CheckFileCompatibility(p.s, p.Path("v.mdx")), c.result) << c.first;
        EXPECT_EQ(p.s.doc.LegacyFormat, c.legacy) << c.first;
        EXPECT_EQ(p.s.doc.DataChanged, c.legacy) << c.first;
    }
}

TEST(GetParameters, TabsCountAsBlanksAndLongFieldsAreKeptWhole)
{
    const SplitRow row = GetParameters("\t1000\tAH  12345678901234567.5 1 2 tail text  ", 1, 0);
    EXPECT_TRUE(row.complete);
    EXPECT_EQ(row.fields[0], "10+00.000");
    EXPECT_EQ(row.fields[1], "AH");
    EXPECT_EQ(row.fields[2], "12345678901234567.5");  // its mask would not fit 15 characters
    EXPECT_EQ(row.fields[3], "1.00");
    EXPECT_EQ(row.fields[4], "2.00");
    EXPECT_EQ(row.fields[5], "tail text");
}

TEST(GetParameters, MissingFieldsLeaveTheLaterSlotsEmpty)
{
    const SplitRow row = GetParameters("01+00.000 - 10", 1, 0);
    EXPECT_FALSE(row.complete);
    EXPECT_EQ(row.fields[0], "01+00.000");
    EXPECT_EQ(row.fields[1], "-");
    EXPECT_EQ(row.fields[2], "10.00");
    EXPECT_EQ(row.fields[3], "");
    EXPECT_EQ(row.fields[5], "");
    EXPECT_TRUE(GetParameters("1,FB,2,3,4,5", 0, 0).complete);
    EXPECT_EQ(GetParameters("1,FB,2,3,4,5", 0, 0).fields[1], "FB");
}

TEST(DocumentReader, RowWithMissingFieldsShowsTheMessageNamingFileAndLineAndGoesOn)
{
    Program p;
    WriteFile(p.Path("r.mdx"), Document(Block(1, "A", "1.00", "00+00.000 - 1 2 3 4\r\n01+00.000 - 5 6 7\r\n02+00.000 - 1 1 1 1\r\n")));
    p.ask.Then(Picks(p.Path("r.mdx")));
    p.ask.Then(Says("Program Error: " + p.Path("r.mdx") +
                    ", line 13: the row has fewer than 6 fields; the missing ones are left empty occured in "
                    "GetParameters(NewFileIO)."));
    mnuFileOpen_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    ASSERT_EQ(p.s.store[0].EndRow(), 3);
    EXPECT_EQ(p.Cell(0, ColFill, 1), "7.00");
    EXPECT_EQ(p.Cell(0, ColAddedFill, 1), "");
    EXPECT_EQ(p.Cell(0, ColCut, 2), "1.00");
}

} // namespace
} // namespace mardex::test
