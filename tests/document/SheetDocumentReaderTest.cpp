#include "formats/SheetDocumentReader.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace mardex::test {
namespace {

DocumentReadResult Read(const std::string& text)
{
    std::istringstream in(text);
    return ReadSheetDocument(in, "road1.mdx");
}

TEST(SheetDocumentReader, GivesTheDocumentAsAValueWithItsMessages)
{
    const DocumentReadResult r = Read(
        "[VERSION 2002]\r\n[METRIC]\r\nDESIGNER\r\n1234\r\nC-1\r\n"
        "[END AREA 1 North ramp]\r\n#BALANCE FACTOR\r\n0.90\r\n#MEASURED IN EMBANKMENT\r\n 0 \r\n"
        "00+00.000  -  1.00  0.00  2.00  0.00\r\n"
        "[END AREA 2 ]\r\n#BALANCE FACTOR\r\n1.00\r\n#MEASURED IN EMBANKMENT\r\n 1 \r\n"
        "01+00.000  -  3.00\r\n"
        "[LAST RECORD]\r\n");
    ASSERT_TRUE(r.document) << r.error;
    const Document& d = *r.document;
    EXPECT_EQ(d.descriptionFields, (std::array<std::string, 3>{"DESIGNER", "1234", "C-1"}));
    EXPECT_EQ(d.units, UnitSystem::Metric);
    ASSERT_EQ(d.sheets.size(), 2u);
    EXPECT_EQ(TabCaption(d.sheets[0], 0), "North ramp");
    EXPECT_EQ(TabCaption(d.sheets[1], 1), "Mardex 2");
    EXPECT_EQ(d.sheets[0].BalanceFactor, "0.9");
    EXPECT_EQ(d.sheets[0].Cell(ColFill, 0), "2.00");
    EXPECT_TRUE(d.sheets[0].IsEndMarker(1));
    EXPECT_EQ(d.sheets[1].MeasuredInEmbankment, 1);
    // The short row is read, and the reader says so naming the file and the line.
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find("road1.mdx, line 17: the row has fewer than 6 fields"), std::string::npos);
}

TEST(SheetDocumentReader, RefusesWithAnErrorNamingTheFileAndLine)
{
    const struct {
        const char* text;
        const char* error;
        bool compatible;
    } cases[] = {
        {"hello\r\n", "road1.mdx: FILE IS NOT COMPATIBLE", false},
        {"[VERSION 2002]\r\n[ENGLISH]\r\n\r\n\r\n\r\n[BROKEN]\r\n", "road1.mdx, line 6: a bracket line without a blank", true},
    };
    for (const auto& c : cases) {
        const DocumentReadResult r = Read(c.text);
        EXPECT_FALSE(r.document) << c.text;
        EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << r.error;
        EXPECT_EQ(r.compatible, c.compatible) << c.text;
    }
}

TEST(SheetDocumentReader, SheetBySheetHandsOverTheSheetsOfTheWholeReadInOrder)
{
    const std::string head = "[VERSION 2002]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n";
    const std::string rows3 = "00+00.000 - 1.00 0.00 2.00 0.00\r\n01+00.000 BK 3.00 0.00 4.00 0.00\r\n"
                              "02+00.000 AH 5.00 0.00 6.00 0.00\r\n";
    const std::string row1 = "05+00.000 - 7.00\r\n";
    const std::string factor = "#BALANCE FACTOR\r\n0.875\r\n#MEASURED IN EMBANKMENT\r\n 1 \r\n";
    const char* const last = "[LAST RECORD]\r\n";
    const std::string documents[] = {
        // a long sheet before a short one: nothing of the first stays in the second
        head + "[END AREA 1 A]\r\n" + factor + rows3 + "[END AREA 2 B]\r\n" + row1 + last,
        // an empty middle sheet, and no "[LAST RECORD]"
        head + "[END AREA 1 A]\r\n" + rows3 + "[END AREA 2 ]\r\n[END AREA 3 C]\r\n" + row1,
        // rows before the first area line, a units line between sheets
        head + rows3 + "[END AREA 1 A]\r\n" + row1 + "[METRIC]\r\n[END AREA 2 B]\r\n" + rows3 + last,
        // no description lines
        "[VERSION 2002]\r\n[END AREA 1 A]\r\n" + row1 + last,
        // a reader's error after two sheets
        head + "[END AREA 1 A]\r\n" + rows3 + "[END AREA 2 B]\r\n" + row1 + "[END AREA 3 C]\r\n[BROKEN]\r\n",
    };
    for (const std::string& text : documents) {
        const DocumentReadResult whole = Read(text);
        std::vector<Sheet> handed;
        std::vector<std::array<std::string, 3>> descriptions;
        std::istringstream in(text);
        const DocumentReadResult bySheet =
            ReadSheetDocument(in, "road1.mdx", [&](int index, Sheet& sheet, const Document& soFar) {
                EXPECT_EQ(index, static_cast<int>(handed.size()));
                handed.push_back(sheet);
                descriptions.push_back(soFar.descriptionFields);
            });
        EXPECT_EQ(bySheet.messages, whole.messages) << text;
        EXPECT_EQ(bySheet.error, whole.error) << text;
        ASSERT_EQ(bySheet.document.has_value(), whole.document.has_value()) << text;
        if (!whole.document) {
            EXPECT_EQ(handed.size(), 2u);
            continue;
        }
        EXPECT_TRUE(bySheet.document->sheets.empty());
        EXPECT_EQ(bySheet.document->units, whole.document->units);
        ASSERT_EQ(handed.size(), whole.document->sheets.size()) << text;
        for (std::size_t i = 0; i < handed.size(); ++i) {
            const Sheet& a = handed[i];
            const Sheet& b = whole.document->sheets[i];
            EXPECT_TRUE(a == b) << text << " sheet " << i;
            for (int r = 0; r < std::max(a.RowsHeld(), b.RowsHeld()); ++r)
                for (int c = 0; c < ColumnCount; ++c)
                    EXPECT_EQ(a.Value(c, r), b.Value(c, r)) << text << " sheet " << i << " row " << r;
            EXPECT_EQ(descriptions[i], whole.document->descriptionFields) << text;
        }
    }
}

TEST(SheetDocumentReader, LinesAcrossTheReadersPiecesKeepTheirNumbers)
{
    // The reader takes the file in pieces of 256 KiB: a line end on either
    // side of a piece's end, split CR LF, and a line longer than a piece.
    const std::size_t piece = 1 << 18;
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        const std::string head = "[VERSION 2002]" + end + "[ENGLISH]" + end + "D" + end + "P" + end + "C" + end +
                                 "[END AREA 1 A]" + end;
        for (const std::size_t filler : {piece - head.size() - 2, piece - head.size() - 1, piece - head.size(),
                                         piece - head.size() + 1, 3 * piece}) {
            const DocumentReadResult r =
                Read(head + std::string(filler, 'x') + end + "01+00.000 - 1" + end + "[LAST RECORD]" + end);
            ASSERT_TRUE(r.document) << r.error;
            EXPECT_EQ(r.document->sheets[0].Cell(ColCut, 0), "1.00") << filler;
            EXPECT_TRUE(r.document->sheets[0].IsEndMarker(1)) << filler;
            ASSERT_EQ(r.messages.size(), 1u) << filler;
            EXPECT_NE(r.messages[0].find("road1.mdx, line 8: "), std::string::npos) << filler << r.messages[0];
        }
    }
}

TEST(SheetDocumentReader, EachCellKeepsTheNumberItsTextReadsAs)
{
    DocumentReadResult r = Read(
        "[VERSION 2002]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n[END AREA 1 A]\r\n"
        "00+00.000  -  12.34  -0.50  0.00  1.5\r\n"
        "1234.5678  SA  1e3  abc  99999999999999999999  2+50\r\n"
        "-01+50.000  12  .5  7.  00012.30  -0.00\r\n"
        "[LAST RECORD]\r\n");
    ASSERT_TRUE(r.document) << r.error;
    Sheet& sheet = r.document->sheets[0];
    for (int row = 0; row <= 3; ++row)
        for (int column = 0; column < ColumnCount; ++column)
            EXPECT_EQ(sheet.Value(column, row), StationToNumber(sheet.Cell(column, row)))
                << "row " << row << " column " << column << " \"" << sheet.Cell(column, row) << "\"";
    EXPECT_EQ(sheet.Value(ColStation, 1), 1234.568);
    EXPECT_EQ(sheet.Value(ColCut, 2), 0.5);
    // A grid edit, or a cell cleared, keeps its number in step too.
    const struct {
        int column, row;
        const char* text;
        double value;
    } edits[] = {{ColCut, 0, "7.25", 7.25}, {ColStation, 2, "03+00.000", 300}, {ColFill, 1, "", 0}, {ColCut, 40, "2", 2}};
    for (const auto& e : edits) {
        sheet.SetCell(e.column, e.row, e.text);
        EXPECT_EQ(sheet.Value(e.column, e.row), e.value) << e.text;
    }
    EXPECT_EQ(sheet.Value(ColCut, 39), 0);
}

} // namespace
} // namespace mardex::test
