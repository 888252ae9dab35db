#include "formats/CsvTable.h"
#include "formats/SheetCsv.h"

#include <gtest/gtest.h>

using namespace mardex;

namespace {

using Fields = std::vector<std::string>;

TEST(CsvTable, QuotingPerTheStandard)
{
    const CsvTable t = ParseCsv("a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,x\n\n", ',');
    ASSERT_TRUE(t.error.empty()) << t.error;
    ASSERT_EQ(t.records.size(), 2u);
    EXPECT_EQ(t.records[0].fields, (Fields{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(t.records[1].fields, (Fields{"two\nlines", "", "x"}));
    EXPECT_EQ(t.records[1].line, 2);

    struct Bad {
        const char* text;
        long line;
    } bad[] = {{"a,b\n\"open,c\n", 2}, {"a\n\"x\"y,b\n", 2}, {"a\nb\"c\n", 2}, {"a\r\"x\ry\"\r\"open,c\r", 4}};
    for (const Bad& b : bad) {
        const CsvTable e = ParseCsv(b.text, ',');
        EXPECT_FALSE(e.error.empty()) << b.text;
        EXPECT_EQ(e.errorLine, b.line) << b.text;
    }

    EXPECT_EQ(CsvLine({"12+34.500", "a,b", "q\"", " x", ""}), "12+34.500,\"a,b\",\"q\"\"\",\" x\",\r\n");
    EXPECT_EQ(DetectSeparator("1;2;3,5\n"), ';');
    EXPECT_EQ(DetectSeparator("1\t2\t3\n"), '\t');
    EXPECT_EQ(DetectSeparator("\"a;b;c\",d\n"), ',');
}

TEST(ReadSheetCsv, CellsAreStoredAsACommitStoresThem)
{
    using Rows = std::vector<ImportedRow>;
    const std::string head = "station,code,cut_area,added_cut,fill_area,added_fill\r\n";
    const std::string utf16 = std::string("\xFF\xFE", 2) + [] {
        std::string wide;
        for (const char c : std::string("station,code,cut_area,added_cut,fill_area,added_fill\r\n100,fb,2,0,0,0\r\n"))
            wide += std::string{c, '\0'};
        return wide;
    }();
    const struct {
        std::string text;
        Rows rows;
    } cases[] = {
        {head + "1234.5,ah,12.345,,0.5,3\r\n12+40.000,-,1,2,3,4\r\n13+5.5,BK,12+5,0,0,0\r\n14+00,LONG_CODE-9,0,0,0,0\r\n",
         {{"12+34.500", "AH", "12.35", "0.00", "0.50", "3.00"},
          {"12+40.000", "-", "1.00", "2.00", "3.00", "4.00"},
          {"13+5.5", "BK", "12+5", "0.00", "0.00", "0.00"},
          {"14+00", "LONG_CODE-9", "0.00", "0.00", "0.00", "0.00"}}},
        // Without a header, semicolons, a byte order mark first.
        {"\xEF\xBB\xBF" "0;-;1;0;0;0\n100;fb;2;0;0;0\n",
         {{"00+00.000", "-", "1.00", "0.00", "0.00", "0.00"}, {"01+00.000", "FB", "2.00", "0.00", "0.00", "0.00"}}},
        // A header by meaning, in any case and order, decimal commas with semicolons.
        {"Station;Code;Cut;Added Cut;Fill;Added Fill\r\n10+00;-;12,5;0;3,25;0\r\n",
         {{"10+00", "-", "12.50", "0.00", "3.25", "0.00"}}},
        {"CODE,Fill Area,STATION,cut\n,1.5,200,7\n", {{"02+00.000", "-", "7.00", "0.00", "1.50", "0.00"}}},
        // UTF-16 as spreadsheets save "Unicode text".
        {utf16, {{"01+00.000", "FB", "2.00", "0.00", "0.00", "0.00"}}},
    };
    for (const auto& c : cases) {
        const ImportResult read = ReadSheetCsv(c.text, "s.csv", 1, "Sheet");
        ASSERT_TRUE(read) << read.fault.Message() << "\n" << c.text;
        EXPECT_EQ(read.document->unitSystem, 1);
        EXPECT_EQ(read.document->sheets.at(0).tabName, "Sheet");
        EXPECT_EQ(read.document->sheets.at(0).rows, c.rows) << c.text;
    }
}

TEST(ReadSheetCsv, TheFirstBadCellIsRefusedWithItsLineAndColumn)
{
    const std::string head = "station,code,cut_area,added_cut,fill_area,added_fill\n";
    const std::string huge(400, '9');  // beyond any double
    std::string many = head;
    for (int i = 0; i < 1801; ++i) many += std::to_string(i) + ",-,0,0,0,0\n";
    struct Case {
        std::string text;
        long line;
        std::string says;
    } cases[] = {
        {head + "100,-,1,0,0,0\n50,-,1,0,0,0\n20,-,x,0,0,0\n", 3, "the station 00+50.000 is less than the previous station 01+00.000"},
        {head + "100,-,1,0,0,0\n200,-,-x,0,0,0\n", 3, "column 3 (cut area): the cut area \"-x\" is not a number"},
        {head + "1-00,-,1,0,0,0\n", 2, "column 1 (station): the station \"1-00\" is not a station"},
        {head + "1++00,-,1,0,0,0\n", 2, "is not a station"},
        // Tagged stations: the grid stores digits only, so the tag would be lost.
        {head + "1050B,-,1,0,0,0\n", 2, "the station \"1050B\" is not a station"},
        {head + "1100AH,AH,1,0,0,0\n", 2, "the station \"1100AH\" is not a station"},
        {head + "nan,-,1,0,0,0\n", 2, "the station \"nan\" is not a station"},
        {head + "100,-,inf,0,0,0\n", 2, "the cut area \"inf\" is not a number"},
        {head + "100,-,1,0,0\n", 2, "6 fields expected"},
        // Codes from the grid's list only.
        {head + "100,a b,1,0,0,0\n", 2, "column 2 (code): the code \"a b\" is none of SA, FB, AH, BK, -"},
        {head + std::string("100,x\0y,1,0,0,0\n", 16), 2, "the code \"x\\x00y\" is none of"},
        {head + "100,\"\x1b[2J\",1,0,0,0\n", 2, "the code \"\\x1B[2J\" is none of"},
        {head + "100,[LAST,1,0,0,0\n", 2, "the code \"[LAST\" is none of"},
        {head + "100," + std::string(5000, 'C') + ",1,0,0,0\n", 2, "the code \"CCCCCCCCCCCCCCCCCCCC...\" is none of"},
        {head + "100,LONGCODE12345XYZ,1,0,0,0\n", 2, "the code \"LONGCODE12345XYZ\" is none of"},
        {head + "100,-,1,0,1.2.3,0\n", 2, "column 5 (fill area): the fill area \"1.2.3\" is not a number"},
        {"Station;Colour\n100;-\n", 1, "column 2 of the header, \"Colour\", names none of station, code"},
        {"Code,Cut\n-,1\n", 1, "the header has no station column"},
        {"", 0, "neither the header nor a row"},
        {head + "100,-,\"1,0,0,0\n", 2, "a quoted field is not closed"},
        // The reading stops at the row past the limit: what follows is never looked at.
        {many + "\"never closed\n", 1802, "more than 1800 rows"},
        {head + "100,-," + huge + ",0,0,0\n", 2, "the cut area \"99999999999999999999...\" is too large"},
        {head + "100,-,1,0,0,0\n" + huge + "+00,-,1,0,0,0\n", 3, "the station \"99999999999999999999...\" is too large"},
        {std::string("\xFF\xFE" "1\0" "0\0" "\x3A\x26" ",\0", 10), 0, "UTF-16 (little-endian) text and line 1 holds U+263A"},
    };
    for (const Case& c : cases) {
        const ImportResult read = ReadSheetCsv(c.text, "/d/s.csv", 0, "S");
        ASSERT_FALSE(read) << c.says;
        EXPECT_EQ(read.fault.line, c.line) << read.fault.Message();
        EXPECT_NE(read.fault.Message().find(c.says), std::string::npos) << read.fault.Message();
        EXPECT_EQ(read.fault.Message().rfind("/d/s.csv", 0), 0u) << read.fault.Message();
    }
    // The rows of an equation step either way; the header alone is an empty sheet.
    EXPECT_TRUE(ReadSheetCsv(head + "500,BK,0,0,0,0\n300,AH,0,0,0,0\n400,-,0,0,0,0\n", "e.csv", 0, "E"));
    EXPECT_TRUE(ReadSheetCsv(head + "500,AH,0,0,0,0\n300,BK,0,0,0,0\n400,-,0,0,0,0\n", "e.csv", 0, "E"));
    const ImportResult empty = ReadSheetCsv(head, "h.csv", 0, "H");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty.document->sheets.at(0).rows.empty());
}

TEST(SheetToCsv, WritesTheRowsAsStored)
{
    Sheet sheet;
    const ImportedRow rows[] = {{"00+00.000", "-", "1.00", "0.00", "2.00", "0.00"}, {"01+00.000", "AH", "1,5", "", "x\"y", "0.00"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, r, rows[r][c]);
    sheet.SetCell(ColStation, 2, "-1");
    sheet.SetCell(ColStation, 3, "09+00.000");  // beyond the end marker
    EXPECT_EQ(SheetToCsv(sheet), "station,code,cut_area,added_cut,fill_area,added_fill\r\n"
                                 "00+00.000,-,1.00,0.00,2.00,0.00\r\n"
                                 "01+00.000,AH,\"1,5\",,\"x\"\"y\",0.00\r\n");
}

} // namespace
