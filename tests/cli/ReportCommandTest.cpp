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

TEST(ReportCommand, TheCombinedReportShowsTheReadersMessagesFirstAndNeedsTheWholeDocument)
{
    const std::string eq = "00+00.000 - 1.00 0.00 0.00 0.00\r\n01+00.000 BK 1.00 0.00 0.00 0.00\r\n"
                           "02+00.000 AH 1.00 0.00 0.00 0.00\r\n";
    const std::string shortRow = "00+00.000 - 1.00\r\n";
    const std::string shortRowMessage = "mardex-report: Program Error: road1.mdx, line 29: the row has fewer than 6 "
                                        "fields; the missing ones are left empty occured in GetParameters(NewFileIO).\n";
    const std::string noReport = "mardex-report: road1.mdx: no report was written\n";
    const struct {
        std::string document;
        std::string err;   // all of stderr
        int sections;      // in the new report; -1: the older report kept
        int metricSections;
    } cases[] = {
        // the reader's message about sheet 3 before the computations' of sheets 1 and 2
        {Document(Sheet(1, "1.00", eq) + Sheet(2, "TBD", TwoRows) + Sheet(3, "1.00", shortRow)),
         shortRowMessage + "mardex-report: Gap Equation where BK occures before AH\n"
                           "mardex-report: Program Error: Type mismatch occured in CreateTempRptFile\n" + noReport,
         -1, 0},
        // a document that cannot be read shows nothing of the sheets computed before
        {Document(Sheet(1, "1.00", eq) + Sheet(2, "TBD", TwoRows) + Sheet(3, "1.00", shortRow) + "[BROKEN]\r\n"),
         shortRowMessage + "mardex-report: Program Error: road1.mdx, line 30: a bracket line without a blank: "
                           "\"[BROKEN]\" (ReadFileVersion2002(NewFileIO))\n"
                           "mardex-report: road1.mdx: the document could not be read\n",
         -1, 0},
        // a units line after a complete sheet sets the units of every section
        {Document(Sheet(1, "1.00", TwoRows) + Sheet(2, "1.00", TwoRows) + "[METRIC]\r\n" + Sheet(3, "1.00", TwoRows)),
         "", 3, 3},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteFile(dir / "road1.mdx", c.document);
        WriteFile(dir / "out.rpt", "an older report");
        const ToolRun run = RunTool(dir, "--all-sheets --output out.rpt road1.mdx");
        std::string err = run.err;  // the tool names the document by its whole path
        const std::string folder = dir.path().string() + "/";
        for (auto at = err.find(folder); at != std::string::npos; at = err.find(folder)) err.erase(at, folder.size());
        EXPECT_EQ(err, c.err) << c.document;
        EXPECT_EQ(run.status, c.sections < 0 ? 1 : 0) << c.document;
        const std::string report = ReadFile(dir / "out.rpt");
        if (c.sections < 0) {
            EXPECT_EQ(report, "an older report");
            continue;
        }
        const auto count = [&report](const std::string& what) {
            int n = 0;
            for (auto at = report.find(what); at != std::string::npos; at = report.find(what, at + 1)) ++n;
            return n;
        };
        EXPECT_EQ(count("#TabName="), c.sections) << report;
        EXPECT_EQ(count("#System= 1"), c.metricSections) << report;
    }
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
    EXPECT_NE(bad.err.find("Usage: mardex-report"), std::string::npos);
    const ToolRun help = RunTool(dir, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: mardex-report"), std::string::npos);
}

} // namespace
} // namespace mardex::test
