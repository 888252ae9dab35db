// mardex-report on GEOPAK logs, run as a program.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;


std::vector<std::string> FilesIn(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string CopyCase(const TempDir& dir, const std::string& name)
{
    const std::string log = dir / (name + ".log");
    fs::copy_file(TestData("log_cases/" + name + ".log"), log);
    return log;
}

TEST(LogReportCommand, TotalWritesOnlyTheFinalReportAndTheCompanion)
{
    TempDir dir;
    const std::string log = CopyCase(dir, "basic_english");
    const std::string out = dir / "final.rpt";
    const ToolRun run = RunTool(dir, "--output " + Quote(out) + " " + Quote(log));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, out + ": 1 pages\n");
    EXPECT_EQ(ReadFile(out), ReadFile(TestData("log_cases/basic_english.total.rpt")));
    // with --output, nothing is written into the (empty) report folder
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"basic_english.log", "basic_english.mdx", "final.rpt"}));
}

TEST(LogReportCommand, AccumulatedRefusalIsExit1AndKeepsOnlyTheCompanion)
{
    TempDir dir;
    const std::string log = CopyCase(dir, "basic_english");
    const ToolRun run = RunTool(dir, "--accumulated --output " + Quote(dir / "final.rpt") + " " + Quote(log));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("mardex-report: Present Log file has no Accumulated Quantities"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"basic_english.log", "basic_english.mdx"}));
}

TEST(LogReportCommand, ADesignersDocumentWhereTheCompanionGoesIsNeverReplaced)
{
    TempDir dir;
    const std::string log = CopyCase(dir, "basic_english");
    const std::string doc = dir / "basic_english.mdx";
    const std::string designers = ReadFile(TestData("cases/worked_example.mdx"));
    WriteFile(doc, designers);
    const ToolRun run = RunTool(dir, "--output " + Quote(dir / "final.rpt") + " " + Quote(log));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile(doc), designers);
    EXPECT_NE(run.err.find("mardex-report: " + doc + " was kept"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(dir / "final.rpt"), ReadFile(TestData("log_cases/basic_english.total.rpt")));
}

TEST(LogReportCommand, AFileThatIsNotALogIsExit1WithTheProgramsMessage)
{
    TempDir dir;
    const std::string log = CopyCase(dir, "nonlog_marker_trailing_blank");
    const ToolRun run = RunTool(dir, "--output " + Quote(dir / "final.rpt") + " " + Quote(log));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("The file selected is not a Geopak Earthwork log file"), std::string::npos) << run.err;
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"nonlog_marker_trailing_blank.log"}));
}

TEST(LogReportCommand, MessagesThatDoNotEndTheOpenGoToStderr)
{
    TempDir dir;
    const std::string log = CopyCase(dir, "entry_and_row_quirks");
    const std::string out = dir / "final.rpt";
    const ToolRun run = RunTool(dir, "--output " + Quote(out) + " " + Quote(log));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("occured in Parse_Station_String"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(out), ReadFile(TestData("log_cases/entry_and_row_quirks.total.rpt")));
}

} // namespace
} // namespace mardex::test
