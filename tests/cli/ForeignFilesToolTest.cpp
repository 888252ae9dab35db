// mardex-report with LandXML files and CSV sheets, run as a program.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

TEST(ForeignFilesTool, ReportsOfLandXmlAndCsvAreNamedAfterTheFile)
{
    TempDir dir;
    WriteFile(dir / "ramp.xml",
              "<LandXML><Units><Imperial/></Units><Alignments><Alignment name=\"R\"><CrossSects>"
              "<CrossSect sta=\"0\" areaCut=\"27\" areaFill=\"0\"/><CrossSect sta=\"100\" areaCut=\"27\" areaFill=\"0\"/>"
              "</CrossSects></Alignment></Alignments></LandXML>\n");
    WriteFile(dir / "side.csv", "0,-,27,0,0,0\n100,-,27,0,0,0\n");
    for (const char* name : {"ramp", "side"}) {
        const std::string file = std::string(name) + (std::string(name) == "ramp" ? ".xml" : ".csv");
        const ToolRun run = RunTool(dir, file);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto colon = run.out.rfind(": ");
        ASSERT_NE(colon, std::string::npos) << run.out;
        EXPECT_EQ(fs::path(run.out.substr(0, colon)).filename(), std::string(name) + ".rpt");
        EXPECT_NE(ReadFile((dir.path() / (std::string(name) + ".rpt")).string()).find("+Excavation         100           100"),
                  std::string::npos);
    }
}

TEST(ForeignFilesTool, NewOptionsAreCheckedAsUsage)
{
    TempDir dir;
    const char* bad[] = {"--save-as o.mdx --ground EG in.xml", "--export-csv o.csv --accumulated d.mdx",
                         "--export-csv o.csv --save-as o.mdx d.mdx", "--export-csv o.csv --print d.mdx",
                         "--design FG in.xml", "--report-csv o.csv --accumulated d.mdx",
                         "--report-csv o.csv --export-csv p.csv d.mdx", "--report-csv o.csv --haul-table h.csv d.mdx"};
    for (const char* args : bad) {
        const ToolRun run = RunTool(dir, args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("Usage: mardex-report"), std::string::npos) << args;
    }
}

} // namespace
} // namespace mardex::test
