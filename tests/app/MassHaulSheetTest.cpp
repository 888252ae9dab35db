// The sheet the Mass Haul window analyses while a GEOPAK log is open: the
// companion document Open wrote beside the log.
#include "app/MassHaulSheet.h"
#include "app/Session.h"
#include "compute/HaulTable.h"
#include "app/FileCommands.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace mardex {
namespace {

using test::Picks;
using test::ScriptedPrompter;
using test::TempDir;

TEST(MassHaulSheet, LogIsAnalysedThroughItsCompanionDocument)
{
    TempDir dir;
    test::WriteFile(dir / "road.log", test::ReadFile(test::TestData("log_cases/decide_incremental_decimal_text.log")));
    ScriptedPrompter ask{Picks(dir / "road.log")};
    Session s(ask);
    s.doc.ReportFolder = dir.path().string() + "/";
    mnuFileOpen_Click(s);
    ASSERT_TRUE(s.doc.LogMode);

    MassSheet sheet;
    ASSERT_TRUE(MassHaulSheetOfCurrent(s, sheet));
    EXPECT_EQ(sheet.tabName, "CL1");
    // The log's end areas at factor 1.00: the first loop ends at the
    // balance point 12+75.352 (the table mardex-report writes for the log).
    const std::string table = HaulTableText(AnalyseHaul(sheet.rows, {}));
    EXPECT_NE(table.find("\nloop,10+00.000,12+75.352,back,115.00,208.81,181.58,"), std::string::npos) << table;
    EXPECT_TRUE(s.doc.LogMode);  // the log stays open
}

TEST(MassHaulSheet, ADesignersDocumentKeptBesideTheLogIsNotAnalysed)
{
    TempDir dir;
    test::WriteFile(dir / "road.log", test::ReadFile(test::TestData("log_cases/decide_incremental_decimal_text.log")));
    test::WriteFile(dir / "road.mdx", test::ReadFile(test::TestData("haul_cases/worked_check.mdx")));
    ScriptedPrompter ask{Picks(dir / "road.log"),
                         test::Asks(dir / "road.mdx" + " is a sheet document, not the station rows of " + dir / "road.log" +
                                        ". Replace it with the log's station rows?",
                                    Answer::No),
                         test::Says(dir / "road.mdx" + " was kept; the log's station rows were not written.")};
    Session s(ask);
    s.doc.ReportFolder = dir.path().string() + "/";
    mnuFileOpen_Click(s);
    ASSERT_TRUE(s.doc.LogMode);

    ask.Then(test::Says(dir / "road.mdx" + " does not hold the station rows of " + dir / "road.log"));
    MassSheet sheet;
    EXPECT_FALSE(MassHaulSheetOfCurrent(s, sheet));
    EXPECT_TRUE(sheet.rows.empty());
    EXPECT_TRUE(ask.sawAll());
}

} // namespace
} // namespace mardex
