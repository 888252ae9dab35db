#include "app/EarthworkComputation.h"
#include "app/ReportCommands.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

enum Field { Sta, CutArea, AddedCut, CutVol, FillArea, AddedFill, FillVol, Factor, AdjFill, Mass };

TEST(Volumes, EnglishHundredFeetOf27And27SquareFeetIsHundredCubicYards)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "27.00", "0.00", "27.00", "0.00"},
                   {"01+00.000", "-", "27.00", "0.00", "27.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][CutVol], "100.00");
    EXPECT_EQ(rows[1][FillVol], "100.00");
    EXPECT_EQ(rows[1][Mass], "0.00");
}

TEST(Volumes, MetricTwentyMetresOf10And20SquareMetresIs300CubicMetres)
{
    ReportFixture f;
    f.s.doc.UnitSystem = 1;
    f.SetSheet(0, {{"00+00.000", "-", "10.00", "0.00", "0.00", "0.00"},
                   {"00+20.000", "-", "20.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    EXPECT_EQ(f.StationRows()[1][CutVol], "300.00");
    EXPECT_EQ(f.s.report.UnadjustedExcavation, 300);
}

TEST(Volumes, EqualStationsCountOnlyAddedVolumes)
{
    ReportFixture f;
    f.SetSheet(0, {{"10+00.000", "-", "50.00", "0.00", "50.00", "0.00"},
                   {"10+00.000", "-", "80.00", "7.00", "90.00", "3.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto row = f.StationRows()[1];
    EXPECT_EQ(row[CutVol], "7.00");
    EXPECT_EQ(row[FillVol], "0.00");
    EXPECT_EQ(row[AdjFill], "3.00");
    EXPECT_EQ(row[Mass], "4.00");
}

TEST(Volumes, HalvesGoToTheEvenNeighbourInVolumesButAwayFromZeroInTexts)
{
    ReportFixture f;
    f.s.doc.UnitSystem = 1;  // length 0.05 x sum x 50 = 2.5 x sum
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.125", "0.00"},
                   {"00+05.000", "-", "1.00", "0.00", "0.00", "0.00"},   // cut 2.5 -> 2
                   {"00+05.000", "-", "0.00", "3.50", "0.00", "0.00"}},  // cut 3.5 -> 4
               "0.90");
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    EXPECT_EQ(rows[0][FillArea], "0.13");  // the cell text 0.125 rounds away from zero
    EXPECT_EQ(rows[1][CutVol], "2.00");
    EXPECT_EQ(rows[2][CutVol], "4.00");
}

TEST(Volumes, FactorAppliesToFillOnlyAndAddedFillIsOutsideTheFillVolume)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "27.00", "0.00", "27.00", "0.00"},
                   {"01+00.000", "-", "27.00", "5.00", "27.00", "6.00"}},
               "0.90");
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto row = f.StationRows()[1];
    EXPECT_EQ(row[CutVol], "105.00");  // added cut is inside the cut volume
    EXPECT_EQ(row[FillVol], "100.00");
    EXPECT_EQ(row[AdjFill], "96.00");  // 6 + 0.9 x 100
    EXPECT_EQ(row[Mass], "9.00");
}

TEST(SingleRow, OnlyRowZeroGivesItsAddedVolumesAndTheirTotals)
{
    ReportFixture f;
    f.SetSheet(0, {{"10+00.000", "FB", "12.00", "4.00", "3.00", "2.50"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][CutVol], "4.00");
    EXPECT_EQ(rows[0][AdjFill], "2.00");  // nearest(2.5) = 2
    EXPECT_TRUE(f.LinesStartingWith("Fo+rced").empty());  // the code of row 0 is ignored
    EXPECT_EQ(f.s.report.AdjustedFill, 2);
}

TEST(BalancePoints, MassReachingExactlyZeroGivesNoBalancePoint)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "-", "0.00", "10.00", "0.00", "0.00"},
                   {"02+00.000", "-", "0.00", "0.00", "0.00", "10.00"},
                   {"03+00.000", "-", "0.00", "0.00", "0.00", "5.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    EXPECT_EQ(rows[2][Mass], "0.00");
    EXPECT_EQ(rows[3][Mass], "-5.00");
    EXPECT_TRUE(f.LinesStartingWith("*+****** Balance Pt").empty());
}

TEST(BalancePoints, SeveralInOneSheetSplitTheSegmentAtTheZeroOfTheMass)
{
    ReportFixture f;
    // +100 at 1+00, then -100 at 2+00 (t = 0.5), then +100 at 3+00 (t = 0.5).
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "-", "0.00", "100.00", "0.00", "0.00"},
                   {"02+00.000", "-", "0.00", "0.00", "0.00", "200.00"},
                   {"03+00.000", "-", "0.00", "200.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto notes = f.LinesStartingWith("*+****** Balance Pt");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], "*+****** Balance Pt at Station 01+50.000 *******");
    EXPECT_EQ(notes[1], "*+****** Balance Pt at Station 02+50.000 *******");
    const auto totals = f.LinesStartingWith("Bal. Totals");
    ASSERT_EQ(totals.size(), 2u);
    // Period to the first point: added cut 100, added fill 0, adjusted 100 to the point.
    EXPECT_EQ(totals[0], "Bal. Totals       0.00     100.00     100.00       0.00       0.00       0.00"
                         "       0.00     100.00       0.00");
    EXPECT_EQ(f.s.report.ReportLineCount, 4 + 2 * 5);
}

TEST(BalancePoints, AccumulatedTotalsUseRunningSumsAndEndWithRunningAdjustedFill)
{
    ReportFixture f;
    f.s.doc.UnitSystem = 1;
    f.SetSheet(0, {{"00+00.000", "-", "10.00", "0.00", "0.00", "0.00"},
                   {"00+20.000", "-", "10.00", "0.00", "0.00", "0.00"},    // cut 200, mass 200
                   {"00+40.000", "-", "0.00", "0.00", "20.00", "0.00"},    // cut 100 fill 200 -> mass 100
                   {"00+60.000", "-", "0.00", "0.00", "20.00", "0.00"}});  // fill 400 -> -300
    ASSERT_TRUE(BuildAccumulatedReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    ASSERT_EQ(rows.size(), 5u);  // the balance-point row is among them
    EXPECT_EQ(rows[4][CutVol], "300.00");   // running cut
    EXPECT_EQ(rows[4][FillVol], "600.00");  // running fill
    EXPECT_EQ(rows[4][AdjFill], "-300.00"); // field 9: mass
    EXPECT_EQ(rows[4][Mass], "600.00");     // field 10: running adjusted fill
    // t = 100 / 400: 100 of the 400 lie before the point.
    EXPECT_EQ(f.LinesStartingWith("Bal. Totals")[0],
              "Bal. Totals       0.00       0.00     300.00       0.00       0.00       0.00"
              "     300.00       0.00     300.00");
}

TEST(ForcedBalance, MassZeroLeavesPeriodAddedVolumesAndStillWritesTheBlock)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "4.00", "0.00", "0.00"},
                   {"01+00.000", "FB", "0.00", "0.00", "0.00", "4.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto lines = f.Lines();
    const auto at = std::find(lines.begin(), lines.end(), "Fo+rced Balance at Station 01+00.000");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), std::string("**+") + std::string(112, '*'));
    EXPECT_EQ(*(at + 1), "Bal. Totals                    4.00        4.00                    4.00"
                         "        0.00        4.00        0.00");
    EXPECT_EQ(f.s.report.ReportLineCount, 2 + 4);
}

TEST(ForcedBalance, NegativeMassMovesItIntoThePeriodAddedCut)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "27.00", "0.00"},
                   {"01+00.000", "FB", "0.00", "10.00", "27.00", "5.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    // mass 10 - 105 = -95: added cut = 95 + 5, added fill = 5 - 5.
    EXPECT_EQ(f.LinesStartingWith("Bal. Totals")[0],
              "Bal. Totals                  100.00       10.00                    0.00"
              "      100.00      105.00        0.00");
    EXPECT_EQ(f.StationRows()[1][Mass], "0.00");
}

TEST(SkipAreas, TwoSaRowsInARowOpenAndCloseAndTheSecondTakesOnlyItsOwnArea)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "SA", "27.00", "0.00", "0.00", "0.00"},
                   {"02+00.000", "SA", "54.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    EXPECT_EQ(rows[1][CutVol], "50.00");   // only the area of the row before the opening row
    EXPECT_EQ(rows[2][CutVol], "100.00");  // only the closing row's own area
    EXPECT_EQ(f.LinesStartingWith("+Skip Area From Station")[0], "+Skip Area From Station 01+00.000");
    EXPECT_EQ(f.LinesStartingWith("+Skip Area To Station")[0], "+Skip Area To Station 02+00.000");
    EXPECT_EQ(f.s.report.ReportLineCount, 3 + 3 + 3);
}

TEST(SkipAreas, RowsInsideContributeNothing)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "SA", "27.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "SA", "27.00", "0.00", "0.00", "0.00"},
                   {"02+00.000", "-", "27.00", "9.00", "5.00", "9.00"},
                   {"03+00.000", "SA", "0.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto rows = f.StationRows();
    EXPECT_EQ(rows[2][CutVol], "0.00");
    EXPECT_EQ(rows[2][AddedCut], "0.00");
    EXPECT_EQ(rows[2][AdjFill], "0.00");
}

TEST(Equations, GapBkThenAhNotesTheEquationAndTakesNoVolumeAcrossIt)
{
    ReportFixture f;
    f.ask.expectedMessages.clear();
    f.ask.Then(Says("Gap Equation where BK occures before AH"));
    f.SetSheet(0, {{"10+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                   {"11+00.000", "BK", "27.00", "0.00", "0.00", "0.00"},
                   {"15+00.000", "AH", "27.00", "0.00", "0.00", "0.00"},
                   {"16+00.000", "-", "27.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    EXPECT_TRUE(f.ask.sawAll());
    const auto rows = f.StationRows();
    EXPECT_EQ(rows[1][CutVol], "100.00");
    EXPECT_EQ(rows[2][CutVol], "0.00");
    EXPECT_EQ(rows[3][CutVol], "100.00");
    const auto lines = f.Lines();
    const auto at = std::find(lines.begin(), lines.end(), "Eq+uation Sta. 11+00.000 BK = 15+00.000 AH");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), std::string("*+") + std::string(113, '*'));
}

TEST(Equations, OverlapAhThenBkCarriesTheSegmentToTheBkRowAndPairsTwoBack)
{
    ReportFixture f;
    f.ask.expectedMessages.clear();
    f.ask.Then(Says("overlap equation Where AH occures before BK"));
    f.ask.Then(Says("Ahead Station First when Station Equation occures"));
    f.SetSheet(0, {{"10+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                   {"11+20.000", "AH", "10.00", "0.00", "0.00", "0.00"},
                   {"11+00.000", "BK", "99.00", "0.00", "0.00", "0.00"},
                   {"12+00.000", "-", "17.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    EXPECT_TRUE(f.ask.sawAll());
    const auto rows = f.StationRows();
    EXPECT_EQ(rows[1][Sta], "11+00.000");  // the AH row shows the BK station
    EXPECT_EQ(rows[1][CutArea], "10.00");  // with its own area text
    EXPECT_EQ(rows[1][CutVol], "233.00");  // 1 x (27 + 99) x 1.8518519: the row before and the BK row
    EXPECT_EQ(rows[2][Sta], "11+20.000");  // the BK row shows the AH station
    EXPECT_EQ(rows[2][CutVol], "0.00");
    EXPECT_EQ(rows[3][CutVol], "50.00");   // 0.8 x (10 + 17): two back
    const auto lines = f.Lines();
    const auto at = std::find(lines.begin(), lines.end(), "Eq+uation Sta. 11+00.000 BK = 11+20.000 AH");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), std::string("**+") + std::string(112, '*'));
}

TEST(Equations, TheEquationShowsTheStoredTextsThroughTheStationMask)
{
    ReportFixture f;
    f.ask.expectedMessages.push_back("Gap Equation where BK occures before AH");
    f.SetSheet(0, {{"10+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                   {"1100", "BK", "0.00", "0.00", "0.00", "0.00"},
                   {"15+0", "AH", "0.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    EXPECT_EQ(f.LinesStartingWith("Eq+uation")[0], "Eq+uation Sta. 11+00.000 BK = 15+0 AH");
    EXPECT_EQ(f.StationRows()[2][Sta], "15+00.000");
}

TEST(Faults, ACodeReachingARowBeforeTheFirstIsAReportedErrorAndLeavesTheOldFile)
{
    ReportFixture f;
    WriteFile(f.ReportPath(), "an older report");
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                   {"01+00.000", "BK", "0.00", "0.00", "0.00", "0.00"},
                   {"02+00.000", "-", "0.00", "0.00", "0.00", "0.00"}});
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    ASSERT_EQ(f.ask.shown.size(), 1u);
    EXPECT_EQ(f.ask.shown[0], "Program Error: Subscript out of range occured in CreateTempRptFile");
    EXPECT_EQ(f.Report(), "an older report");
}

TEST(Faults, AFactorThatIsNotANumberIsAFaultAndTheGrandTotalsStayAsTheyWere)
{
    for (const std::string factor : {"n/a", "", " "}) {
        ReportFixture f;
        f.s.report.UnadjustedExcavation = 7;
        f.SetSheet(0, {{"00+00.000", "-", "27.00", "5.00", "0.00", "0.00"}}, factor);
        EXPECT_FALSE(BuildTotalReport(f.s, WindowReport)) << factor;
        EXPECT_EQ(f.ask.shown.at(0), "Program Error: Type mismatch occured in CreateTempRptFile");
        EXPECT_EQ(f.s.report.UnadjustedExcavation, 7);
        EXPECT_FALSE(std::filesystem::exists(f.ReportPath()));
    }
}

TEST(Faults, AMissingEndMarkerIsAFault)
{
    ReportFixture f;
    Sheet& sheet = f.s.store[0];
    for (int r = 0; r < RowSlots; ++r) sheet.SetCell(0, r, "00+00.000");
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    EXPECT_EQ(f.ask.shown.at(0), "Program Error: Subscript out of range occured in CreateTempRptFile");
}

TEST(Faults, AVolumeBeyondThirtyTwoBitsIsAnOverflow)
{
    ReportFixture f;
    f.s.doc.UnitSystem = 1;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                   {"99999+00.000", "-", "9999999.00", "0.00", "0.00", "0.00"}});
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    EXPECT_EQ(f.ask.shown.at(0), "Program Error: Overflow occured in CreateTempRptFile");
}

TEST(Refusals, AnUntitledDocumentGetsTheMessageAndNoFile)
{
    ReportFixture f;
    f.s.doc.CurrentFileName = "Untitled";
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}});
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    ASSERT_EQ(f.ask.shown.size(), 1u);
    EXPECT_EQ(f.ask.shown[0], UntitledReportMessage);
}

TEST(Refusals, ADocumentNameWithoutADotGetsAMessageNamingIt)
{
    ReportFixture f;
    f.s.doc.CurrentFileName = f.dir / "road1";
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}});
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    ASSERT_EQ(f.ask.shown.size(), 1u);
    EXPECT_NE(f.ask.shown[0].find(f.dir / "road1"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(f.dir.path()));
}

} // namespace
} // namespace mardex::test

namespace mardex::test {
namespace {

TEST(ReportName, FolderThenTheDocumentNameUpToItsFirstDot)
{
    ReportFixture f;
    f.s.doc.ReportFolder = "/reports/";
    f.s.doc.CurrentFileName = "/home/a.b/road1.final.mdx";  // a dot in a folder does not count
    EXPECT_EQ(ReportFileName(f.s, WindowReport), "/reports/road1.rpt");
    f.s.doc.CurrentFileName = "C:\\jobs\\road2.mdx";
    EXPECT_EQ(ReportFileName(f.s, WindowReport), "/reports/road2.rpt");
    EXPECT_EQ(ReportFileName(f.s, ReportTarget{"/tmp/out.rpt"}), "/tmp/out.rpt");
}

TEST(ReportName, AnUnwritableReportFolderIsAMessageNamingTheFileNotASuccess)
{
    ReportFixture f;
    f.s.doc.ReportFolder = f.dir / "missing/";
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}});
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    ASSERT_EQ(f.ask.shown.size(), 1u);
    EXPECT_NE(f.ask.shown[0].find(f.dir / "missing/road1.rpt"), std::string::npos);
    EXPECT_FALSE(f.s.report.AppendToReport);
}

TEST(Appending, TheSecondReportFollowsTheFirstAndTheFlagGoesBackToZero)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "2.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    f.s.report.AppendToReport = true;
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    EXPECT_FALSE(f.s.report.AppendToReport);
    EXPECT_EQ(f.LinesStartingWith("#Designer= ").size(), 2u);
    EXPECT_EQ(f.LinesStartingWith(std::string(65, '#')).size(), 2u);
    // Without the preview closing in between, the grand totals run on.
    EXPECT_EQ(f.LinesStartingWith("+Excavation")[1], "+Excavation           4             4           1.0");
    EXPECT_EQ(f.Lines().back(), std::string(65, '#'));
}

TEST(Appending, AFaultWhileAppendingKeepsTheEarlierSections)
{
    ReportFixture f;
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "2.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const std::string first = f.Report();
    f.s.store[0].BalanceFactor = "x";
    f.s.report.AppendToReport = true;
    EXPECT_FALSE(BuildTotalReport(f.s, WindowReport));
    EXPECT_EQ(f.Report(), first);
}

TEST(ReportText, StationOf100000AndATenDigitVolumeWidenTheirFields)
{
    ReportFixture f;
    f.s.doc.UnitSystem = 1;
    // 2469135.78 m at 500 + 500 sq m: 24691.3578 x 1000 x 50 = 1234567890.
    f.SetSheet(0, {{"1000+00.000", "-", "500.00", "0.00", "0.00", "0.00"},
                   {"25691+35.780", "-", "500.00", "0.00", "0.00", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    const auto lines = f.LinesStartingWith("25691+35.780");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 12 + 2 + 9 + 2 + 9 + 2 + 13),
              "25691+35.780     500.00       0.00  1234567890.00");
    EXPECT_EQ(f.LinesStartingWith("1000+00.000")[0].substr(0, 11 + 2 + 9), "1000+00.000     500.00");
    EXPECT_EQ(f.LinesStartingWith("+Excavation")[0], "+Excavation   1234567890    1234567890          1.0");
}

TEST(ReportText, AnEmptyAreaCellIsNineBlanksAndMetadataCarriesTheCheckBox)
{
    ReportFixture f;
    f.s.doc.DescriptionFields[0] = "";
    f.s.form.embankmentCheck = 1;
    f.SetSheet(0, {{"00+00.000", "-", "1.00", "0.00", "", "0.00"}});
    ASSERT_TRUE(BuildTotalReport(f.s, WindowReport));
    EXPECT_EQ(f.Lines()[0], "#Designer= ");
    EXPECT_EQ(f.Lines()[5], "#Embankment= 1");
    EXPECT_EQ(f.Lines()[6].substr(9 + 2 + 9 + 2 + 9 + 2 + 9, 11), std::string(11, ' '));
}

} // namespace
} // namespace mardex::test
