// mardex-report on GEOPAK logs, run as a program.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
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

// What stands where the companion goes is replaced only when it is the
// companion the log gives now (or --replace-companion says so): a designer's
// document, or a companion whose rows were changed, is kept and said so.
TEST(LogReportCommand, ADocumentWhereTheCompanionGoesIsKeptUnlessToldOtherwise)
{
    const std::string designers = ReadFile(TestData("cases/worked_example.mdx"));
    const struct {
        const char* what;
        bool edited;      // a companion with one area changed, else the designer's document
        bool replace;     // --replace-companion
    } cases[] = {
        {"designer's document", false, false},
        {"edited companion", true, false},
        {"designer's document, replaced", false, true},
        {"edited companion, replaced", true, true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string log = CopyCase(dir, "basic_english");
        const std::string doc = dir / "basic_english.mdx";
        ASSERT_EQ(RunTool(dir, "--output " + Quote(dir / "first.rpt") + " " + Quote(log)).status, 0);
        const std::string companion = ReadFile(doc);
        std::string existing = designers;
        if (c.edited) {
            // The first row's cut area changed: "<station> - 7.25 0.00 <fill> 0.00".
            existing = companion;
            const auto row = existing.find("\r\n", existing.find("#STATION")) + 2;
            const auto rowEnd = existing.find("\r\n", row);
            std::istringstream fields(existing.substr(row, rowEnd - row));
            std::string station, code, cut, addedCut, fill;
            fields >> station >> code >> cut >> addedCut >> fill;
            existing.replace(row, rowEnd - row, station + " - 7.25 0.00 " + fill + " 0.00");
        }
        WriteFile(doc, existing);
        const ToolRun run = RunTool(dir, std::string(c.replace ? "--replace-companion " : "") + "--output " +
                                             Quote(dir / "final.rpt") + " " + Quote(log));
        ASSERT_EQ(run.status, 0) << c.what << run.err;
        EXPECT_EQ(ReadFile(doc), c.replace ? companion : existing) << c.what;
        EXPECT_EQ(run.err.find("mardex-report: " + doc + " was kept") != std::string::npos, !c.replace) << c.what << run.err;
        if (!c.replace) {
            EXPECT_NE(run.err.find(c.edited ? "differs from the station rows" : "is a sheet document"), std::string::npos)
                << c.what << run.err;
        }
        EXPECT_EQ(ReadFile(dir / "final.rpt"), ReadFile(TestData("log_cases/basic_english.total.rpt")));
    }
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
