// mardex-report --report-csv: the Total report's figures of the chosen sheet.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

namespace mardex::test {
namespace {

TEST(ReportCsvOption, WritesTheChosenSheetsReportLines)
{
    const struct {
        const char* options;
        const char* document;
        std::vector<std::string> lines;  // lines the table holds, as the report prints their figures
    } cases[] = {
        {"", "cases/bp_several.mdx",
         {"row,station,cut_area,added_cut,cut_volume,fill_area,added_fill,fill_volume,balance_factor,adjusted_fill,"
          "mass_ordinate\r\nstation,10+00.000,60.00,0.00,0.00,0.00,0.00,0.00,0.90,0.00,0.00\r\n",
          "\r\nstation,13+00.000,0.00,0.00,0.00,85.00,0.00,153.00,0.90,138.00,99.00\r\n"
          "balance,13+33.904,0.00,0.00,0.00,0.00,0.00,110.00,,99.00,0.00\r\n"
          "station,13+50.000,0.00,0.00,0.00,90.00,0.00,52.00,0.90,47.00,-47.00\r\n"}},
        {"--sheet 2", "cases/worked_example.mdx", {"\r\nstation,00+00.000,0.00,0.00,0.00,6.40,0.00,0.00,1.00,0.00,0.00\r\n"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const ToolRun run = RunTool(dir, std::string("--report-csv ") + Quote(dir / "t.csv") + " " + c.options + " " +
                                             Quote(TestData(c.document)));
        ASSERT_EQ(run.status, 0) << c.document << "\n" << run.err;
        const std::string table = ReadFile(dir / "t.csv");
        for (const std::string& line : c.lines) EXPECT_NE(table.find(line), std::string::npos) << line << "\n" << table;
    }
}

} // namespace
} // namespace mardex::test
