// mardex-report --save-as OUT.mdx IN.mdx, run as a program.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;


const std::string Rows = "#STATION      CODE    CUTAREA       ADDEDCUT(vol.)     FILLAREA     ADDEDFILL(vol.)\r\n";

std::string Header() { return "[VERSION 2002]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n[END AREA 1 A]\r\n#BALANCE FACTOR\r\n1.00\r\n#MEASURED IN EMBANKMENT\r\n 0 \r\n" + Rows; }

TEST(SaveAsCommand, WritesTheDocumentAsSaveDoesReplacingOutWithoutAQuestion)
{
    TempDir dir;
    const std::string out = dir / "out.mdx";
    WriteFile(out, "older contents");
    const ToolRun run = RunTool(dir, "--save-as " + Quote(out) + " " + Quote(TestData("cases/embankment_flag.mdx")));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("OVERWRITE"), std::string::npos) << "OUT is replaced without a question";
    EXPECT_EQ(ReadFile(out), ReadFile(TestData("cases/embankment_flag.saved.mdx")));
}

TEST(SaveAsCommand, AMissingInputIsExit1NamingTheFile)
{
    TempDir dir;
    const ToolRun run = RunTool(dir, "--save-as " + Quote(dir / "out.mdx") + " " + Quote(dir / "missing.mdx"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir / "missing.mdx"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "out.mdx"));
}

TEST(SaveAsCommand, AMalformedInputIsExit1NamingFileAndLine)
{
    TempDir dir;
    WriteFile(dir / "bad.mdx", Header() + "00+00.000 - 1 0 0 0\r\n[BROKEN]\r\n[LAST RECORD]\r\n");
    const ToolRun run = RunTool(dir, "--save-as " + Quote(dir / "out.mdx") + " " + Quote(dir / "bad.mdx"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir / "bad.mdx" + ", line 13: a bracket line without a blank"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "out.mdx"));
}

TEST(SaveAsCommand, AnIncompatibleInputIsExit1)
{
    TempDir dir;
    WriteFile(dir / "v3.mdx", "[VERSION 3]\r\n");
    const ToolRun run = RunTool(dir, "--save-as " + Quote(dir / "out.mdx") + " " + Quote(dir / "v3.mdx"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("FILE IS NOT COMPATIBLE WITH PRESENT VERSION OF THE PROGRAM."), std::string::npos);
    EXPECT_NE(run.err.find(dir / "v3.mdx"), std::string::npos);
}

TEST(SaveAsCommand, AFileThatIsNotADocumentIsExit1)
{
    TempDir dir;
    WriteFile(dir / "notes.txt", Header() + "[LAST RECORD]\r\n");
    const ToolRun run = RunTool(dir, "--save-as " + Quote(dir / "out.mdx") + " " + Quote(dir / "notes.txt"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(dir / "notes.txt"), std::string::npos);
}

TEST(SaveAsCommand, MissingFieldsGoToStderrAndTheRunGoesOn)
{
    TempDir dir;
    WriteFile(dir / "short.mdx", Header() + "00+00.000 - 1 0 0 0\r\n01+00.000 - 2 0\r\n[LAST RECORD]\r\n");
    const ToolRun run = RunTool(dir, "--save-as " + Quote(dir / "out.mdx") + " " + Quote(dir / "short.mdx"));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("mardex-report: Program Error: " + dir / "short.mdx" + ", line 13: the row has fewer than 6 fields"),
              std::string::npos)
        << run.err;
    EXPECT_NE(ReadFile(dir / "out.mdx").find("01+00.000           -        2.00        0.00        0.00        0.00\r\n"),
              std::string::npos);
}

TEST(SaveAsCommand, AnOutputThatCannotBeWrittenIsExit1NamingIt)
{
    TempDir dir;
    const std::string out = dir / "no/such/folder/out.mdx";
    const ToolRun run = RunTool(dir, "--save-as " + Quote(out) + " " + Quote(TestData("cases/worked_example.mdx")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write " + out), std::string::npos) << run.err;
}

TEST(SaveAsCommand, BadUsageIsExit2WithTheUsage)
{
    TempDir dir;
    const ToolRun run = RunTool(dir, "--save-as " + Quote(dir / "out.mdx"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Usage: mardex-report"), std::string::npos);
    const ToolRun mixed = RunTool(dir, "--save-as x.mdx --accumulated " + Quote(TestData("cases/worked_example.mdx")));
    EXPECT_EQ(mixed.status, 2);
}

} // namespace
} // namespace mardex::test
