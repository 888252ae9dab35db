#include "compute/ReportBlocks.h"
#include "text/ReportFields.h"
#include "app/ReportFile.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace mardex::test {
namespace {

TEST(ReportFields, StationFieldIsTheMaskedStationNeverPadded)
{
    EXPECT_EQ(StationField(0.0), "00+00.000");
    EXPECT_EQ(StationField(100000.0), "1000+00.000");  // 11 characters push the row right
    EXPECT_EQ(StationField(-150.0), "-01+50.000");
    EXPECT_EQ(StationField(std::string_view("13+33.904")), "13+33.904");
}

TEST(ReportFields, NumberFieldIsNineWideAndLongerValuesStayWhole)
{
    EXPECT_EQ(NumberField(0.0), "     0.00");
    EXPECT_EQ(NumberField(-47.0), "   -47.00");
    EXPECT_EQ(NumberField(1234567890.0), "1234567890.00");
    EXPECT_EQ(NumberField(std::string_view("")), std::string(9, ' '));
    EXPECT_EQ(NumberField(std::string_view(" ")), std::string(9, ' '));
    EXPECT_EQ(NumberField(std::string_view("00.00")), "     0.00");
    EXPECT_EQ(NumberField(std::string_view("0.00 ")), "     0.00");
    EXPECT_EQ(NumberField(std::string_view("0.875")), "     0.88");
    EXPECT_EQ(NumberField(std::string_view("12+5")), "     12+5");  // not a plain number: as stored
}

TEST(ReportFields, SummaryFieldIsTheGeneralText)
{
    EXPECT_EQ(SummaryField(46.0), "       46");
    EXPECT_EQ(SummaryField(1234567890.0), "1234567890");
    EXPECT_EQ(SummaryField(std::string_view("0.875")), "    0.875");
}

TEST(ReportFields, PrintZonesStartAtMultiplesOf14AndAFullZonePushesOn)
{
    EXPECT_EQ(OnPrintZones({"+Excavation", "       46", "       46", "      1.0"}),
              "+Excavation          46            46           1.0");
    // A first field ending exactly at column 14 sends the next one to column 28.
    const std::string line = OnPrintZones({std::string(14, 'x'), "y"});
    EXPECT_EQ(line.size(), 29u);
    EXPECT_EQ(line.back(), 'y');
    EXPECT_EQ(OnPrintZones({std::string(15, 'x'), "y"}).size(), 29u);
}

TEST(ReportFields, RulesHaveTheirLengthsAndBlanks)
{
    EXPECT_EQ(Rule(1).size(), 115u);
    EXPECT_EQ(Rule(2).size(), 114u);
    EXPECT_EQ(Rule(3).substr(0, 3), "**+");
    EXPECT_EQ(Rule(3).size(), 115u);
    EXPECT_EQ(Rule(4).size(), 118u);
    EXPECT_EQ(Rule(4)[12], ' ');
    EXPECT_EQ(Rule(5).size(), 120u);
    EXPECT_EQ(Rule(5)[10], ' ');
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(Rule(i).find('#'), std::string::npos);
}

TEST(ReportBlocks, SummaryHasOneMoreLineInMetricUnits)
{
    std::string english, metric;
    WriteGrandSummary(english, 0, 46, 46, 4, 29, "1.00");
    WriteGrandSummary(metric, 1, 46, 46, 4, 29, "1.00");
    EXPECT_EQ(AllLines(english), 11);
    EXPECT_EQ(AllLines(metric), 12);
    EXPECT_NE(english.find("+                   (cu. yd.)   (cu. yd.)\r\n"), std::string::npos);
    EXPECT_NE(metric.find("+                   (cubic     (cubic\r\n+                    meters)    meters)\r\n"),
              std::string::npos);
    EXPECT_NE(english.find("\r\n+     Fill            4            29          1.00\r\n"), std::string::npos);
}

TEST(ReportBlocks, MetadataLinesKeepEmptyValues)
{
    std::string out;
    WriteMetadata(out, {"", "P", "C", "BL1", 1, 0});
    EXPECT_EQ(out, "#Designer= \r\n#Project No.= P\r\n#Control No.= C\r\n#TabName= BL1\r\n#System= 1\r\n"
                   "#Embankment= 0\r\n");
}

TEST(ReportBlocks, LongRowsAreNeverWrapped)
{
    StationRow row;
    row.Station = 12345678900.0;
    row.CutArea = row.FillArea = row.Factor = "123456789012345678901234567890";
    row.AddedCut = row.Fourth = row.AddedFill = row.Seventh = row.Ninth = row.Tenth = 1e12;
    std::string out;
    WriteStationRow(out, row);
    EXPECT_GT(out.size(), 200u);
    EXPECT_EQ(AllLines(out), 1);
}

TEST(PageCount, FortyFourDrawnLinesOnPageOneAndFiftyOneOnEachLater)
{
    EXPECT_EQ(PagesForDrawnLines(0), 1);
    EXPECT_EQ(PagesForDrawnLines(44), 1);
    EXPECT_EQ(PagesForDrawnLines(45), 2);
    EXPECT_EQ(PagesForDrawnLines(95), 2);
    EXPECT_EQ(PagesForDrawnLines(96), 3);
    EXPECT_EQ(PagesForDrawnLines(26 * 1830), 1 + (26 * 1830 - 44 + 50) / 51);  // beyond 16 bits
}

// Lines as the renderer splits them (CR LF, a lone CR or a lone LF; a last
// line without an end), those with a "#" anywhere left out.
TEST(PageCount, LinesWithAHashAnywhereAreNotDrawn)
{
    const struct {
        const char* text;
        int64_t all, drawn;
    } cases[] = {
        {"#a\r\nb\r\nc#d\r\ne\r\n", 4, 2}, {"a\nb", 2, 2},         {"", 0, 0},
        {"\r\n", 1, 1},                       {"a\r\rb#\r", 3, 2},     {"##\r\n#\n#", 3, 0},
        {"a\r\r\n#", 3, 2},                   {"#\r#\n\n", 3, 1},      {"x\r", 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AllLines(c.text), c.all) << c.text;
        EXPECT_EQ(DrawnLines(c.text), c.drawn) << c.text;
    }
}

} // namespace
} // namespace mardex::test

namespace mardex::test {
namespace {

// The number field takes shortcuts for whole numbers and for texts already in
// two-decimal form; they must give exactly the mask's text.
TEST(ReportFields, ShortcutsGiveTheMasksText)
{
    for (double v : {0.0, -0.0, 1.0, -1.0, 47.0, -47.0, 123456789012345.0, 999999999999999.0, 1e15, -1e15, 2.5,
                     0.125, -0.005, 1e20, 4503599627370497.0})
        EXPECT_EQ(NumberField(v), RightAlign(FormatArea(v), 9)) << v;
    for (const char* t : {"12.50", "0.00", "-0.00", "00.00", "1.5", "-12.34", "0.875", "1234567890123.45",
                          "12345678901234.56", "+1.00", " 1.00", "1.00 ", "12+5", "", ".50", "-.50", "1.00e2"})
        EXPECT_EQ(NumberField(std::string_view(t)), RightAlign(FormatAreaText(t), 9)) << t;
}

} // namespace
} // namespace mardex::test
