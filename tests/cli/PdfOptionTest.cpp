// mardex-report --pdf: the report as before, then its pages in a PDF.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

namespace mardex::test {
namespace {


std::string Capture(const std::string& command, const TempDir& dir)
{
    const std::string out = dir / "capture.txt";
    if (std::system((command + " >" + out + " 2>/dev/null").c_str()) != 0) return {};
    return ReadFile(out);
}

bool PopplerMissing() { return std::system("pdftotext -v >/dev/null 2>&1") != 0; }

TEST(PdfOption, AccumulatedThreePageReportBecomesAThreePagePdf)
{
    if (PopplerMissing()) GTEST_SKIP() << "poppler-utils not installed";
    TempDir dir;
    const ToolRun run = RunTool(dir, "--accumulated --output " + (dir / "r.rpt") + " --pdf " + (dir / "r.pdf") + " " +
                                        TestData("cases/pages_86_rows.mdx"));
    if (run.err.find("cannot write PDF files") != std::string::npos) GTEST_SKIP() << "built without Qt";
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir / "r.rpt" + ": 3 pages\n");
    EXPECT_EQ(ReadFile(dir / "r.rpt"), ReadFile(TestData("cases/pages_86_rows.accum.rpt")));

    const std::string info = Capture("pdfinfo " + (dir / "r.pdf"), dir);
    EXPECT_TRUE(std::regex_search(info, std::regex(R"(Pages:\s+3\n)"))) << info;
    const std::string text = Capture("pdftotext -layout " + (dir / "r.pdf") + " -", dir);
    for (const char* expected : {"TORVALIA DEPARTMENT OF ROADS", "EARTHWORK CALCULATION REPORT", "NET-VOL.", "ADJ-FILL",
                                 "Sq.Ft.", "Cu.Yds.", "42+50.000", "G R A N D"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    for (int page = 1; page <= 3; ++page)
        EXPECT_TRUE(std::regex_search(text, std::regex("Pages : " + std::to_string(page) + " +OF +3"))) << page;
}

TEST(PdfOption, UnwritablePdfFailsTheRun)
{
    TempDir dir;
    const ToolRun run = RunTool(dir, "--output " + (dir / "r.rpt") + " --pdf " + (dir / "no/such/folder/r.pdf") + " " +
                                        TestData("cases/single_row.mdx"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no/such/folder/r.pdf"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

} // namespace
} // namespace mardex::test
