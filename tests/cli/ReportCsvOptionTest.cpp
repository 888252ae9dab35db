// mardex-report --report-csv: the Total report's figures of the chosen sheet.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

namespace mardex::test {
namespace {

TEST(ReportCsvOption, WritesTheChosenSheetsReportLines)
{
    TempDir dir;
    const ToolRun run =
        RunTool(dir, "--report-csv " + Quote(dir / "t.csv") + " --sheet 2 " + Quote(TestData("cases/fb_sign.mdx")));
    ASSERT_EQ(run.status, 0) << run.err;
    // The lines of fb_sign.s2.total.rpt.
    EXPECT_EQ(ReadFile(dir / "t.csv"),
              "row,station,cut_area,added_cut,cut_volume,fill_area,added_fill,fill_volume,balance_factor,adjusted_fill,"
              "mass_ordinate\r\n"
              "station,00+00.000,27.00,0.00,0.00,0.00,0.00,0.00,1.00,0.00,0.00\r\n"
              "station,01+00.000,27.00,10.00,110.00,0.00,5.00,0.00,1.00,5.00,0.00\r\n"
              "station,02+00.000,0.00,0.00,50.00,27.00,0.00,50.00,1.00,50.00,0.00\r\n"
              "station,03+00.000,0.00,0.00,0.00,27.00,0.00,100.00,1.00,100.00,-100.00\r\n");
}

} // namespace
} // namespace mardex::test
