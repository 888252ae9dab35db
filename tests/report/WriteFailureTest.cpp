// A report or companion whose write fails part-way (a full disk) says so and
// leaves the file that was there exactly as it was.
#include "app/FileCommands.h"
#include "app/CombinedReport.h"
#include "app/LogReport.h"
#include "app/ReportCommands.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace mardex::test {
namespace {

namespace fs = std::filesystem;

bool AnyTemporaryIn(const TempDir& dir)
{
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().find(".~mardex.") != std::string::npos) return true;
    return false;
}

bool Shown(const ScriptedPrompter& ask, const std::string& part)
{
    for (const auto& text : ask.shown)
        if (text.find(part) != std::string::npos) return true;
    return false;
}

void OpenLog(ReportFixture& f)
{
    f.ask.Then(Picks(f.dir / "english_log.log"));
    mnuFileOpen_Click(f.s);
}

TEST(WriteFailure, ReportsAndCompanionsFailingAfterNBytesLeaveTheOldFile)
{
    const auto writeOld = [](ReportFixture& f) { WriteFile(f.ReportPath(), "old"); };
    const struct {
        const char* what;
        std::string file;  // the file that must stay as it was
        std::function<void(ReportFixture&)> before;
        std::function<bool(ReportFixture&)> run;
    } cases[] = {
        {"Total", "road1.rpt", writeOld, [](ReportFixture& f) { return BuildTotalReport(f.s, WindowReport); }},
        {"Accumulated", "road1.rpt", writeOld, [](ReportFixture& f) { return BuildAccumulatedReport(f.s, WindowReport); }},
        {"appended section", "road1.rpt", writeOld,
         [](ReportFixture& f) {
             f.s.report.AppendToReport = true;
             return BuildTotalReport(f.s, WindowReport);
         }},
        {"every sheet", "road1.rpt", writeOld,
         [](ReportFixture& f) { return BuildCombinedReport(f.s, SheetFault::FailRun, WindowReport); }},
        {"a log's companion", "english_log.mdx",
         [](ReportFixture& f) {
             fs::copy_file(TestData("log_cases/basic_english.log"), f.dir / "english_log.log");
             OpenLog(f);  // writes the companion and the report
         },
         [](ReportFixture& f) { return CreateGeopakLogReport(f.s, WindowReport); }},
    };
    for (const auto& c : cases) {
        for (const long long after : {0LL, 1LL, 300LL}) {
            ReportFixture f;
            f.SetSheet(0, {{"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                           {"01+00.000", "-", "27.00", "0.00", "0.00", "0.00"}});
            f.SetSheet(1, {{"00+00.000", "-", "3.00", "0.00", "0.00", "0.00"}}, "1.00", "BL2");
            c.before(f);
            const std::string old = ReadFile(f.dir / c.file);
            ASSERT_FALSE(old.empty()) << c.what;
            f.ask.shown.clear();
            const FileWriter failing{after};
            f.s.writer = &failing;
            EXPECT_FALSE(c.run(f)) << c.what << " " << after;
            EXPECT_TRUE(Shown(f.ask, "cannot write " + (f.dir / c.file) + ": No space left on device"))
                << c.what << " " << after;
            EXPECT_EQ(ReadFile(f.dir / c.file), old) << c.what << " " << after;
            EXPECT_FALSE(AnyTemporaryIn(f.dir)) << c.what;
        }
    }
}

TEST(WriteFailure, AReportThatCannotBeBuiltLeavesTheOldOneAndOpensNoPreview)
{
    struct Previews : WindowHooks {
        int shown = 0;
        void ShowPreview() override { ++shown; }
    } hooks;
    ReportFixture f;
    f.s.hooks = &hooks;
    WriteFile(f.ReportPath(), "an older report");
    f.SetSheet(0, {{"00+00.000", "-", "0.00", "0.00", "0.00", "0.00"}}, "n/a");
    mnuTotal_Click(f.s);
    EXPECT_EQ(f.ask.shown.at(0), "Program Error: Type mismatch occured in CreateTempRptFile");
    EXPECT_EQ(f.Report(), "an older report");
    EXPECT_EQ(hooks.shown, 0);
}

} // namespace
} // namespace mardex::test
