// mardex-report --stickup run as a user runs it.
#include "gdalhost/DgnFile.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

class StickupTool : public ::testing::Test {
protected:
    ToolRun Run(const std::string& args, const std::string& tool = ToolPath()) { return RunTool(dir, args, tool); }

    std::string Case(const std::string& name)
    {
        const std::string path = dir / name;
        fs::copy_file(TestData("cases/" + name), path, fs::copy_options::overwrite_existing);
        return path;
    }

    TempDir dir;
};

TEST_F(StickupTool, DrawsAndNamesTheDesignFileWithItsSheetCount)
{
    const std::string doc = Case("code_row0.mdx");
    const std::string design = dir / "road.dgn";
    WriteFile(design, "an older design file");
    const std::string seed = dgn::GdalSeedFile();
    const std::string seedBefore = ReadFile(seed);
    const auto r = Run("--stickup road.dgn " + Quote(doc));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, design + ": 1 sheets\n");
    EXPECT_NE(ReadFile(design), "an older design file");
    EXPECT_GT(fs::file_size(design), fs::file_size(seed));
    EXPECT_EQ(ReadFile(seed), seedBefore);
}

TEST_F(StickupTool, AGivenSeedIsCopiedAndLeftAsItWas)
{
    const std::string seed = dir / "myseed.dgn";
    fs::copy_file(dgn::GdalSeedFile(), seed);
    const std::string before = ReadFile(seed);
    const auto r = Run("--stickup out.dgn --seed myseed.dgn " + Quote(Case("worked_example.mdx")));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(seed), before);
}

TEST_F(StickupTool, WithoutABorderItGoesOnAndSaysSo)
{
    // The tool alone in a folder of its own: no shipped border beside it.
    fs::create_directories(dir / "bin");
    // The installed tool is the program, its companion and the design-file
    // module in the private module folder, as the package lays them out.
    fs::copy_file(std::string(MARDEX_BIN_DIR) + "/mardex-report", dir / "bin/mardex-report");
    fs::copy_file(std::string(MARDEX_BIN_DIR) + "/mardex-report-extras", dir / "bin/mardex-report-extras");
    fs::create_directories(dir / "lib/mardex");
    fs::copy_file(std::string(MARDEX_BIN_DIR) + "/mardex-gdal.so", dir / "lib/mardex/mardex-gdal.so");
    const auto r = Run("--stickup out.dgn " + Quote(Case("worked_example.mdx")), dir / "bin/mardex-report");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Border Reference File Not Found!"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("without borders"), std::string::npos);
    EXPECT_EQ(r.out, dir / "out.dgn" + ": 1 sheets\n");
}

TEST_F(StickupTool, AFaultyDocumentFailsWithoutADesignFile)
{
    const auto r = Run("--stickup out.dgn " + Quote(Case("factor_texts.mdx")));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(fs::exists(dir / "out.dgn"));
    EXPECT_TRUE(r.out.empty());
}

TEST_F(StickupTool, MissingSeedAndReadOnlyTargetFail)
{
    auto r = Run("--stickup out.dgn --seed nowhere.dgn " + Quote(Case("worked_example.mdx")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nowhere.dgn"), std::string::npos) << r.err;

    WriteFile(dir / "locked.dgn", "keep me");
    fs::permissions(dir / "locked.dgn", fs::perms::owner_read);
    r = Run("--stickup locked.dgn " + Quote(Case("worked_example.mdx")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
    fs::permissions(dir / "locked.dgn", fs::perms::owner_all);
    EXPECT_EQ(ReadFile(dir / "locked.dgn"), "keep me");
}

} // namespace
} // namespace mardex::test
