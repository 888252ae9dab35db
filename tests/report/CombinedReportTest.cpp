#include "app/CombinedReport.h"
#include "app/ReportFile.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

TEST(CombinedReport, EverySheetInOrderEachWithItsOwnSectionAndTotals)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "-", "27.00", "0.00", "0.00", "0.00"}}, "1.00", "BL1");
    f.SetSheet(1, {{"00+00.000", "-", "0.00", "3.00", "0.00", "0.00"}}, "0.875", "Ramp A");
    f.s.form.embankmentCheck = 1;
    ASSERT_TRUE(BuildCombinedReport(f.s, SheetFault::FailRun, WindowReport));
    EXPECT_EQ(f.LinesStartingWith("#TabName= "), (std::vector<std::string>{"#TabName= BL1", "#TabName= Ramp A"}));
    EXPECT_EQ(f.LinesStartingWith("#Embankment= "), (std::vector<std::string>{"#Embankment= 1", "#Embankment= 1"}));
    const auto exc = f.LinesStartingWith("+Excavation");
    ASSERT_EQ(exc.size(), 2u);
    EXPECT_EQ(exc[0], "+Excavation         100           100           1.0");
    EXPECT_EQ(exc[1], "+Excavation           3             3           1.0");  // totals reset per sheet
    EXPECT_EQ(f.LinesStartingWith("+     Fill")[1], "+     Fill            0             0         0.875");
    EXPECT_EQ(f.s.doc.CurrentSheet, 1);
    EXPECT_EQ(f.s.report.ReportLineCount, AllLines(f.Report()) - 20);
    EXPECT_FALSE(f.s.report.AppendToReport);
    EXPECT_EQ(f.s.report.UnadjustedExcavation, 0);
}

TEST(CombinedReport, RowFlagsNeverReachTheNextSheet)
{
    ReportFixture f;
    // Sheet 1 ends inside an open skip with a BK row (gap 2 left pending).
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},
                   {"02+00.000", "BK", "0.00", "0.00", "0.00", "0.00"}});
    f.SetSheet(1, {{"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "-", "27.00", "0.00", "0.00", "0.00"}}, "1.00", "B");
    ASSERT_TRUE(BuildCombinedReport(f.s, SheetFault::FailRun, WindowReport));
    EXPECT_EQ(f.LinesStartingWith("+Excavation")[1], "+Excavation         100           100           1.0");
    EXPECT_EQ(f.LinesStartingWith("01+00.000").back().substr(0, 42), "01+00.000      27.00       0.00     100.00");
}

TEST(CombinedReport, TheToolFailsTheWholeRunOnAFaultAndWritesNothing)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}});
    f.SetSheet(1, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}}, "n/a", "B");
    EXPECT_FALSE(BuildCombinedReport(f.s, SheetFault::FailRun, WindowReport));
    EXPECT_FALSE(std::filesystem::exists(f.ReportPath()));
}

TEST(CombinedReport, TheWindowGoesOnWithTheNextSheetAfterAFault)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}}, "TBD", "A");
    f.SetSheet(1, {{"00+00.000", "-", "0.00", "5.00", "0.00", "0.00"}}, "1.00", "B");
    EXPECT_TRUE(BuildCombinedReport(f.s, SheetFault::SkipSheet, WindowReport));
    EXPECT_EQ(f.ask.shown.at(0), "Program Error: Type mismatch occured in CreateTempRptFile");
    EXPECT_EQ(f.LinesStartingWith("#TabName= "), std::vector<std::string>{"#TabName= B"});
}

TEST(CombinedReport, PagesCountTheDrawnLinesOfAllSections)
{
    ReportFixture f;
    std::vector<Row> rows;
    for (int i = 0; i < 13; ++i) rows.push_back({std::to_string(i * 100), "-", "1.00", "0.00", "0.00", "0.00"});
    f.SetSheet(0, rows, "1.00", "A");
    f.SetSheet(1, rows, "1.00", "B");
    ASSERT_TRUE(BuildCombinedReport(f.s, SheetFault::FailRun, WindowReport));
    EXPECT_EQ(DrawnLines(f.Report()), 2 * (13 + 10));  // 46 drawn: one more than page 1 holds
    EXPECT_EQ(f.s.report.TotalPages, 2);
}

} // namespace
} // namespace mardex::test

namespace mardex::test {
namespace {

TEST(CombinedReport, TwentySixFullSheetsCountLinesAndPagesBeyondSixteenBits)
{
    ReportFixture f;
    std::vector<Row> rows;
    for (int r = 0; r < MaxDataRows; ++r) rows.push_back({std::to_string(r * 50), "-", "10.00", "0.00", "0.00", "0.00"});
    for (int i = 0; i < MaxSheets; ++i) f.SetSheet(i, rows, "1.00", "S" + std::to_string(i + 1));
    ASSERT_TRUE(BuildCombinedReport(f.s, SheetFault::FailRun, WindowReport));
    const int64_t lines = MaxSheets * (6 + MaxDataRows + 11);
    EXPECT_EQ(f.s.report.ReportLineCount, lines - 20);
    EXPECT_GT(f.s.report.ReportLineCount, 32767);
    EXPECT_EQ(f.s.report.TotalPages, PagesForDrawnLines(MaxSheets * (MaxDataRows + 10)));
    EXPECT_GT(f.s.report.TotalPages, 900);
}

} // namespace
} // namespace mardex::test
