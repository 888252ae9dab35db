// mardex-report DOCUMENT: the sheet report, run as a program.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;


std::string Document(const std::string& sheets)
{
    return "[VERSION 2002]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n" + sheets + "[LAST RECORD]\r\n";
}

std::string Sheet(int n, const std::string& factor, const std::string& rows)
{
    return "[END AREA " + std::to_string(n) + " S" + std::to_string(n) + "]\r\n#BALANCE FACTOR\r\n" + factor +
           "\r\n#MEASURED IN EMBANKMENT\r\n 0 \r\n"
           "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)\r\n" +
           rows;
}

const std::string TwoRows = "00+00.000 - 27.00 0.00 0.00 0.00\r\n01+00.000 - 27.00 0.00 0.00 0.00\r\n";

TEST(ReportCommand, PrintsTheReportPathAndItsPagesAndWritesBesideTheCurrentFolder)
{
    TempDir dir;
    WriteFile(dir / "road1.mdx", Document(Sheet(1, "1.00", TwoRows)));
    const ToolRun run = RunTool(dir, "road1.mdx");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto colon = run.out.rfind(": ");
    ASSERT_NE(colon, std::string::npos);
    EXPECT_EQ(run.out.substr(colon), ": 1 pages\n");
    // With no report folder set, the bare name falls in the current folder.
    const fs::path path = dir.path() / run.out.substr(0, colon);
    EXPECT_EQ(path.filename(), "road1.rpt");
    EXPECT_NE(ReadFile(path.string()).find("+Excavation         100           100           1.0\r\n"), std::string::npos);
}

TEST(ReportCommand, EquationNotesGoToStderrAndTheRunGoesOn)
{
    TempDir dir;
    WriteFile(dir / "eq.mdx", Document(Sheet(1, "1.00",
                                             "00+00.000 - 1.00 0.00 0.00 0.00\r\n01+00.000 BK 1.00 0.00 0.00 0.00\r\n"
                                             "02+00.000 AH 1.00 0.00 0.00 0.00\r\n")));
    const ToolRun run = RunTool(dir, "--output out.rpt eq.mdx");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("mardex-report: Gap Equation where BK occures before AH\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "out.rpt"));
}

TEST(ReportCommand, AMissingDocumentIsExit1NamingIt)
{
    TempDir dir;
    const ToolRun run = RunTool(dir, "--output out.rpt nothere.mdx");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nothere.mdx"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out.rpt"));
}

TEST(ReportCommand, ASheetBeyondTheDocumentIsExit1NamingIt)
{
    TempDir dir;
    WriteFile(dir / "road1.mdx", Document(Sheet(1, "1.00", TwoRows)));
    const ToolRun run = RunTool(dir, "--sheet 3 --output out.rpt road1.mdx");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("road1.mdx"), std::string::npos);
    EXPECT_NE(run.err.find("no sheet 3"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "out.rpt"));
}

TEST(ReportCommand, AFaultInAnySheetFailsTheCombinedReportAndLeavesTheOlderFile)
{
    TempDir dir;
    WriteFile(dir / "road1.mdx", Document(Sheet(1, "1.00", TwoRows) + Sheet(2, "TBD", TwoRows)));
    WriteFile(dir / "out.rpt", "an older report");
    const ToolRun run = RunTool(dir, "--all-sheets --output out.rpt road1.mdx");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("mardex-report: Program Error: Type mismatch occured in CreateTempRptFile"),
              std::string::npos);
    EXPECT_EQ(ReadFile(dir / "out.rpt"), "an older report");
    EXPECT_TRUE(run.out.empty());
}

TEST(ReportCommand, TheSecondSheetAloneReportsDespiteTheFirstsFault)
{
    TempDir dir;
    WriteFile(dir / "road1.mdx", Document(Sheet(1, "TBD", TwoRows) + Sheet(2, "1.00", TwoRows)));
    EXPECT_EQ(RunTool(dir, "--output a.rpt road1.mdx").status, 1);
    const ToolRun run = RunTool(dir, "--sheet 2 --output b.rpt road1.mdx");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(ReadFile(dir / "b.rpt").find("#TabName= S2\r\n"), std::string::npos);
}

TEST(ReportCommand, BadUsageIsExit2WithTheUsageAndHelpIsExit0)
{
    TempDir dir;
    const ToolRun bad = RunTool(dir, "--all-sheets --accumulated x.mdx");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("usage: mardex-report"), std::string::npos);
    const ToolRun help = RunTool(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: mardex-report"), std::string::npos);
}

} // namespace
} // namespace mardex::test
