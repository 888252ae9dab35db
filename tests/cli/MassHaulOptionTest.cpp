// mardex-report --haul-table and --mass-haul: the table, the diagram read
// back from its PDF and SVG, and a faulting sheet.
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

namespace mardex::test {
namespace {

// The texts of an SVG's text elements, one after another.
std::string SvgTexts(const std::string& svg)
{
    std::string texts;
    const std::regex element(R"(<text[^>]*>([^<]*)</text>)");
    for (std::sregex_iterator it(svg.begin(), svg.end(), element), end; it != end; ++it) texts += (*it)[1].str() + "\n";
    return texts;
}

std::string PdfTexts(const std::string& pdf, const TempDir& dir)
{
    const std::string out = dir / "pdf.txt";
    if (std::system(("pdftotext " + Quote(pdf) + " " + Quote(out) + " 2>/dev/null").c_str()) != 0) return {};
    return ReadFile(out);
}

TEST(MassHaulOption, DiagramCarriesBalancePointsAndTotals)
{
    for (const char* format : {"pdf", "svg"}) {
        if (std::string(format) == "pdf" && std::system("pdftotext -v >/dev/null 2>&1") != 0) continue;
        TempDir dir;
        const std::string file = dir / (std::string("diagram.") + format);
        const ToolRun run = RunTool(dir, "--mass-haul " + Quote(file) + " --free-haul 100 --overhaul-price 2.5 " +
                                             Quote(TestData("haul_cases/bp_several.mdx")));
        if (run.err.find("built without Qt") != std::string::npos) GTEST_SKIP() << "built without Qt";
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string text = std::string(format) == "pdf" ? PdfTexts(file, dir) : SvgTexts(ReadFile(file));
        // The balance points as the report prints them, then the totals of
        // bp_several.fh100.haul.csv.
        for (const char* expected : {"BL1", "13+33.904", "14+21.371", "17+01.027", "18+60.081", "20+81.522",
                                     "BORROW 197.00", "1070.00", "1701.12", "744.82", "660.41", "1651.02"})
            EXPECT_NE(text.find(expected), std::string::npos) << format << ": " << expected << "\n" << text;
    }
}

TEST(MassHaulOption, FaultingSheetFailsWithTheReportsMessage)
{
    TempDir dir;
    const ToolRun run = RunTool(dir, "--haul-table " + Quote(dir / "t.csv") + " " +
                                         Quote(TestData("cases/err_ah0_bk1.mdx")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("occured in CreateTempRptFile"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "t.csv"));
}

TEST(MassHaulOption, BadHaulOptionsAreUsageErrors)
{
    const struct {
        const char* args;
        const char* message;
    } cases[] = {
        {"--haul-table t.csv --overhaul-price 2 d.mdx", "--overhaul-price needs --free-haul"},
        {"--haul-table t.csv --free-haul -5 d.mdx", "--free-haul needs a number of at least 0"},
        {"--free-haul 100 d.mdx", "--free-haul and --overhaul-price need --haul-table, --mass-haul or --haul-plan"},
        {"--haul-table t.csv --accumulated d.mdx", "--haul-table and --mass-haul take only"},
        {"--mass-haul m.pdf --print d.mdx", "--haul-table and --mass-haul take only"},
        {"--sites s.csv d.mdx", "--sites needs --haul-plan"},
        {"--haul-plan p.csv --free-haul 1 --overhaul-price 1 --pdf x.pdf d.mdx", "--haul-plan takes only"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const ToolRun run = RunTool(dir, c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << "\n" << run.err;
    }
}

TEST(MassHaulOption, LogIsAnalysedThroughItsCompanionDocument)
{
    TempDir dir;
    const std::string log = dir / "road.log";
    WriteFile(log, ReadFile(TestData("log_cases/decide_incremental_decimal_text.log")));
    const ToolRun fromLog = RunTool(dir, "--haul-table " + Quote(dir / "log.csv") + " --free-haul 100 " + Quote(log));
    ASSERT_EQ(fromLog.status, 0) << fromLog.err;
    // Open wrote the companion beside the log; its own table is the log's.
    const ToolRun fromCompanion =
        RunTool(dir, "--haul-table " + Quote(dir / "mdx.csv") + " --free-haul 100 " + Quote(dir / "road.mdx"));
    ASSERT_EQ(fromCompanion.status, 0) << fromCompanion.err;
    const std::string table = ReadFile(dir / "log.csv");
    EXPECT_NE(table.find("\nloop,10+00.000,12+75.352,back,"), std::string::npos) << table;
    EXPECT_EQ(table, ReadFile(dir / "mdx.csv"));

    // A document of the designer's in the companion's place is kept, and no
    // table comes from its rows, unless --replace-companion replaces it.
    WriteFile(dir / "road.mdx", ReadFile(TestData("cases/worked_example.mdx")));
    const ToolRun kept = RunTool(dir, "--haul-table " + Quote(dir / "kept.csv") + " " + Quote(log));
    EXPECT_EQ(kept.status, 1);
    EXPECT_NE(kept.err.find("does not hold the station rows"), std::string::npos) << kept.err;
    const ToolRun replaced =
        RunTool(dir, "--replace-companion --haul-table " + Quote(dir / "replaced.csv") + " --free-haul 100 " + Quote(log));
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(ReadFile(dir / "replaced.csv"), table);
}

} // namespace
} // namespace mardex::test
