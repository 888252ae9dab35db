// The report of a GEOPAK log, its companion document and the window's log
// commands (Open, Import, tab click, Total and Accumulated).
#include "app/MainForm.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "app/FileCommands.h"
#include "app/GeopakLog.h"
#include "app/LogCommands.h"
#include "model/LogTables.h"
#include "app/CombinedReport.h"
#include "app/LogReport.h"
#include "app/ReportCommands.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace mardex {
namespace {

using test::Asks;
using test::Picks;
using test::ReadFile;
using test::ScriptedPrompter;
using test::TempDir;
using test::TestData;
using test::WriteFile;

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text;
}

std::vector<std::string> FileLines(const std::string& path) { return SplitTextLines(ReadFile(path)); }

// An ordinary station entry of a log table.
std::string Station(const std::string& station, const std::string& cut = "1.00", const std::string& fill = "2.00")
{
    return Lines({"   " + station + "      CL1",
                  "        Excavation        " + cut + "       3.00       3.00       1.00       5.00       6.00",
                  "        Fill              " + fill + "       4.00       5.00       1.25      -7.00       8.00       9.00"});
}

std::string NaEntry(const std::string& station)
{
    return Lines({"   " + station + "      CL1", "        Excavation          NA      40.10      40.10       1.00      54.80",
                  "        ------          ------      17.39      21.74       1.25    -445.29"});
}

std::string Adjustment(const std::string& station, const std::string& quantity)
{
    return Lines({"   ADJUSTMENT", "      STATION = " + station, "      MATERIAL = X", "      " + quantity, ""});
}

std::string BalancePoint(const std::string& station, const std::string& cut)
{
    return Lines({"   BALANCE POINT = " + station + ", 35", "   -----------------------",
                  "      Excavation      " + cut + "      " + cut + "      " + cut,
                  "      Fill            " + cut + "      " + cut + "      " + cut + "       1.25"});
}

std::string LogOf(const std::string& preamble, const std::string& entries, const std::string& points,
                  const std::string& baseline = "CL1")
{
    return Lines({" 1     3     3 Earthwork", "", "   EARTHWORKS FOR BASELINE = " + baseline}) + preamble +
           Lines({" ----------------------------------------"}) + entries +
           Lines({"   TOTALS  10+00.00 TO 19+00.00", " ----------------------------------------", "",
                  "         B A L A N C E   P O I N T S", "      Station          Excavation            Fill"}) +
           points +
           Lines({"", "   BALANCE POINT COMPUTATIONS COMPLETE", "",
                  "                 G R A N D     S U M M A R Y     T O T A L S", "",
                  "                              Unadjusted  Adjusted    Mult",
                  "                              Volume      Volume      Factor",
                  "                              (cu. yd.)   (cu. yd.)", "               --------------- ------",
                  "               Excavation          256         256      1.00",
                  "               Fill                272         340      1.25", "               ---------- ------",
                  "", "          M A S S   B A L A N C E   S U M M A R Y"});
}

class CountingHooks : public WindowHooks {
public:
    void ShowPreview() override { ++previews; }
    int previews = 0;
};

class LogReport : public ::testing::Test {
protected:
    LogReport()
    {
        ask.expectedMessages = {"File not found: mardex3.ini occured in Form_Load", "cannot write ",
                                "is not a Geopak Earthwork log file", "Present Log file has no Accumulated Quantities"};
        s.hooks = &hooks;
        Form_Load(s);
        s.doc.ReportFolder = dir.path().string() + "/";
        ask.shown.clear();
    }

    // File > Open of a log written into the test folder.
    void Open(const std::string& text, const std::string& name = "road.log")
    {
        WriteFile(dir / name, text);
        ask.Then(Picks(dir / name));
        mnuFileOpen_Click(s);
    }

    void Import(const std::string& text, const std::string& name)
    {
        WriteFile(dir / name, text);
        ask.Then(Picks(dir / name));
        mnuImportFile_Click(s);
    }

    std::vector<std::string> Report(const std::string& name = "road.rpt") { return FileLines(dir / name); }

    static std::vector<std::string> Containing(const std::vector<std::string>& lines, const std::string& part)
    {
        std::vector<std::string> found;
        for (const auto& l : lines)
            if (l.find(part) != std::string::npos) found.push_back(l);
        return found;
    }
    static int IndexOf(const std::vector<std::string>& lines, const std::string& part)
    {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].find(part) != std::string::npos) return static_cast<int>(i);
        return -1;
    }

    TempDir dir;
    ScriptedPrompter ask;
    CountingHooks hooks;
    Session s{ask};
};

TEST_F(LogReport, OpenShowsTheLogModeWindowAndPreviewsTheReport)
{
    Open(LogOf("", Station("10+00.00") + Station("10+50.00"), BalancePoint("10+20.00", "42.75")));
    EXPECT_TRUE(s.doc.LogMode);
    EXPECT_EQ(s.form.Caption, "GEOPAK LOG FILE: " + dir / "road.log");
    EXPECT_FALSE(s.form.GridVisible);
    EXPECT_FALSE(s.form.txtShrinkFactor.visible);
    EXPECT_TRUE(s.form.logExplanation.visible);
    EXPECT_TRUE(s.form.logExplanation.locked);
    EXPECT_EQ(s.form.logExplanation.text, ExplanationText);
    EXPECT_EQ(s.form.importKind, ImportKind::Logs);
    ASSERT_EQ(TabCaptions(s).size(), 1u);
    EXPECT_EQ(TabCaptions(s)[0], "BASELINE:  CL1");
    EXPECT_EQ(hooks.previews, 1);
    EXPECT_FALSE(s.doc.DataChanged);
    const auto report = Report();
    EXPECT_EQ(report[3], "#TabName= BASELINE:  CL1");
    EXPECT_EQ(Containing(report, "Balance Pt at Station").size(), 1u);
    EXPECT_EQ(report.back(), std::string(65, '#'));
    EXPECT_TRUE(ask.shown.empty());
}

TEST_F(LogReport, AFileThatIsNotALogIsRefusedAndWritesNothing)
{
    Open(Lines({" 1     3     3 Earthwork ", "   10+00.00 x"}));
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_EQ(ask.shown[0], " The file selected is not a Geopak Earthwork log file");
    EXPECT_FALSE(s.doc.LogMode);
    EXPECT_EQ(s.doc.SheetCount, 1);
    EXPECT_EQ(hooks.previews, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "road.rpt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "road.mdx"));
}

TEST_F(LogReport, AccumulatedIsRefusedForALogWithoutAccumulatedQuantities)
{
    Open(LogOf("", Station("10+00.00"), ""));
    const int before = hooks.previews;
    std::filesystem::remove(dir / "road.rpt");
    mnuAccumulated_Click(s);
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_EQ(ask.shown[0], "Present Log file has no Accumulated Quantities");
    EXPECT_EQ(hooks.previews, before);
    EXPECT_FALSE(std::filesystem::exists(dir / "road.rpt"));
    EXPECT_TRUE(BuildTotalReport(s, WindowReport));
    EXPECT_EQ(s.report.AccumulatedMode, ReportMode::Total);
}

TEST_F(LogReport, TotalAndAccumulatedTakeTheirOwnFields)
{
    Open(LogOf(Lines({"   ADD ACCUMULATED QUANTITIES"}), Station("10+00.00"), ""));
    EXPECT_EQ(s.report.AccumulatedMode, ReportMode::Accumulated);  // Open then writes the accumulated report
    ASSERT_TRUE(BuildTotalReport(s, WindowReport));
    const std::string total = Containing(Report(), "10+00.00")[0];
    ASSERT_TRUE(BuildAccumulatedReport(s, WindowReport));
    const std::string accumulated = Containing(Report(), "10+00.00")[0];
    // total: volume 3.00 and fill 4.00, adjusted 5.00, mass -7.00;
    // accumulated: L1.6 5.00 and L2.7 8.00, mass -7.00, accumulated adjusted 9.00
    EXPECT_EQ(total, "10+00.00       1.00       0.00       3.00       2.00       0.00       4.00       1.25       5.00      -7.00");
    EXPECT_EQ(accumulated,
              "10+00.00       1.00       0.00       5.00       2.00       0.00       8.00       1.25      -7.00       9.00");
}

TEST_F(LogReport, EmbankmentEmptiesTheLastFieldsOfATotalReportAndShortensTheSummary)
{
    Open(LogOf(Lines({"   ADD ACCUMULATED QUANTITIES"}), Station("10+00.00"), BalancePoint("10+20.00", "42.75")));
    s.form.embankmentCheck = 1;
    ASSERT_TRUE(BuildTotalReport(s, WindowReport));
    auto report = Report();
    EXPECT_EQ(report[5], "#Embankment= 1");
    const std::string row = Containing(report, "10+00.00")[0];
    EXPECT_EQ(row, "10+00.00       1.00       0.00       3.00       2.00       0.00       4.00" + std::string(33, ' '));
    const std::string incre = Containing(report, "+Incre.")[0];
    EXPECT_EQ(incre.size(), row.size() + 2);  // the label field and its 3 blanks
    EXPECT_EQ(incre.substr(incre.size() - 33), std::string(33, ' '));
    EXPECT_EQ(Containing(report, "Excavation")[0], "+             Excavation          256");

    ASSERT_TRUE(BuildAccumulatedReport(s, WindowReport));
    report = Report();
    EXPECT_EQ(Containing(report, "10+00.00")[0],
              "10+00.00       1.00       0.00       5.00       2.00       0.00       8.00       1.25      -7.00       9.00");
    EXPECT_EQ(Containing(report, "Excavation")[0], "+             Excavation          256");
}

TEST_F(LogReport, WithoutBalancePointsNaEntriesStillFindTheirAdjustmentLabels)
{
    // Two adjustments but no balance point: the labels are looked up over the
    // adjustments read, not over the number of balance points.
    Open(LogOf(Adjustment("10+55.00", "EXC = 120.00") + Adjustment("11+10.00", "FILL = 95.50"),
               Station("10+00.00") + NaEntry("10+50.00") + NaEntry("11+00.00") + NaEntry("11+50.00") +
                   Station("12+00.00"),
               ""));
    const auto report = Report();
    EXPECT_TRUE(Containing(report, "Balance Pt").empty());
    EXPECT_TRUE(Containing(report, "+Incre.").empty());
    const auto exc = Containing(report, "10+50.00");
    const auto fill = Containing(report, "11+00.00");
    ASSERT_EQ(exc.size(), 1u);
    ASSERT_EQ(fill.size(), 1u);
    // "Exc": field 3 is L1.3, field 7 L1.5; "Fill": field 3 is 0.00, field 6 L1.3
    EXPECT_EQ(exc[0], "10+50.00        0.00      40.10       0.00      17.39      17.39       1.00      40.10      54.80       0.00");
    EXPECT_EQ(fill[0], "11+00.00        0.00       0.00       0.00      17.39      40.10      17.39       1.00      40.10      54.80");
    // no label: no report row, but the companion keeps the station
    EXPECT_TRUE(Containing(report, "11+50.00").empty());
    const auto companion = FileLines(dir / "road.mdx");
    EXPECT_EQ(Containing(companion, "11+50.00").size(), 1u);
    EXPECT_EQ(Containing(companion, "11+50.00")[0], "11+50.00           -          NA        0.00      ------        0.00");
}

TEST_F(LogReport, EveryBalancePointOfAnIntervalHasItsOwnSectionInTableOrder)
{
    Open(LogOf("", Station("10+00.00") + Station("10+50.00"),
               BalancePoint("10+40.00", "10.00") + BalancePoint("10+20.00", "30.00")));
    const auto report = Report();
    const int first = IndexOf(report, "Balance Pt at Station  10+40.00");
    const int second = IndexOf(report, "Balance Pt at Station  10+20.00");
    ASSERT_GE(first, 0);
    ASSERT_GT(second, first);
    EXPECT_GT(IndexOf(report, "10+50.00  "), second);
    // the first-section layout only for the first: both its rows show L1.2
    std::string accum = report[first + 2];
    EXPECT_EQ(report[first + 1], accum.replace(2, 7, "+Incre."));
    // the later section's "+Incre." row shows the converted difference 30 - 10
    EXPECT_NE(report[second + 1].find("        20"), std::string::npos);
}

TEST_F(LogReport, IntervalsPassOverDiagnosticsAndTheLastStationHasNoUpperEnd)
{
    Open(LogOf("",
               Station("10+00.00") + Lines({"   XS-NOPROP No proposed cross section found at 10+50.00"}) +
                   Station("11+00.00"),
               BalancePoint("10+70.00", "10.00") + BalancePoint("15+00.00", "20.00")));
    const auto report = Report();
    const int diagnostic = IndexOf(report, " 10+50.00 : XS-NOPROP No proposed cross section found at 10+50.00");
    ASSERT_GE(diagnostic, 0);
    EXPECT_LT(IndexOf(report, "Balance Pt at Station  10+70.00"), diagnostic);
    EXPECT_GT(IndexOf(report, "Balance Pt at Station  10+70.00"), IndexOf(report, "10+00.00  "));
    EXPECT_GT(IndexOf(report, "Balance Pt at Station  15+00.00"), IndexOf(report, "11+00.00  "));
}

TEST_F(LogReport, SkipStretchEndsAfterToInAnyLetterCase)
{
    Open(LogOf("",
               Station("10+00.00") + Lines({"   SKIP = 10+50.00 TO 11+50.00"}) + Station("10+50.00") +
                   Station("11+00.00") + Station("11+50.00") + Station("12+00.00") + Station("12+50.00"),
               ""));
    const auto report = Report();
    EXPECT_GE(IndexOf(report, "*+******SKIP = 10+50.00 TO 11+50.00 *******"), 0);
    EXPECT_GE(IndexOf(report, "10+50.00  "), 0);
    EXPECT_LT(IndexOf(report, "11+00.00  "), 0);
    EXPECT_LT(IndexOf(report, "11+50.00  "), 0);
    EXPECT_GT(IndexOf(report, "12+00.00  "), IndexOf(report, "SKIP ="));
    EXPECT_GT(IndexOf(report, "12+50.00  "), IndexOf(report, "12+00.00  "));
    // the two stretch rows have no companion lines
    const auto companion = FileLines(dir / "road.mdx");
    EXPECT_TRUE(Containing(companion, "10+50.00").empty());
    EXPECT_TRUE(Containing(companion, "12+00.00").empty());
    EXPECT_EQ(Containing(companion, "12+50.00").size(), 1u);
}

TEST_F(LogReport, KilometreStationsPlaceBalancePointsByTheirMetres)
{
    Open(LogOf("", Station("0+980.000") + Station("1+000.000") + Station("1+020.000"),
               BalancePoint("0+990.000", "10.00") + BalancePoint("1+005.000", "20.00")));
    const auto report = Report();
    const int under980 = IndexOf(report, "Balance Pt at Station  0+990.000");
    ASSERT_GE(under980, 0);
    EXPECT_GT(under980, IndexOf(report, "0+980.000"));
    EXPECT_LT(under980, IndexOf(report, "1+000.000  "));
    const int under1000 = IndexOf(report, "Balance Pt at Station  1+005.000");
    EXPECT_GT(under1000, IndexOf(report, "1+000.000  "));
    EXPECT_LT(under1000, IndexOf(report, "1+020.000  "));
}

TEST_F(LogReport, CompanionIsASheetDocumentTheProgramOpens)
{
    Open(LogOf("", Station("10+00.00", "1.5") + Station("10+50.00", "") + NaEntry("11+00.00"), ""));
    const auto companion = FileLines(dir / "road.mdx");
    ASSERT_GE(companion.size(), 12u);
    EXPECT_EQ(companion[0], "[VERSION 2002]");
    EXPECT_EQ(companion[1], "[ENGLISH]");
    EXPECT_EQ(companion[5], "[END AREA 1 CL1]");
    EXPECT_EQ(companion[7], "1.00");
    EXPECT_EQ(companion[9], " 0 ");
    EXPECT_EQ(companion[11], "10+00.00           -        1.50        0.00        2.00        0.00");
    EXPECT_EQ(companion.back(), "[LAST RECORD]");

    ScriptedPrompter other;
    other.expectedMessages = {"File not found: mardex3.ini occured in Form_Load"};
    Session reader(other);
    Form_Load(reader);
    other.Then(Picks(dir / "road.mdx"));
    mnuFileOpen_Click(reader);
    EXPECT_FALSE(reader.doc.LogMode);
    EXPECT_EQ(reader.store[0].TabName, "CL1");
    EXPECT_EQ(reader.store[0].Cell(ColCut, 0), "1.50");
    EXPECT_EQ(reader.store[0].Cell(ColFill, 1), "2.00");
    EXPECT_EQ(reader.store[0].Cell(ColCut, 2), "NA");
    EXPECT_EQ(reader.store[0].EndRow(), 3);
}

// The companion goes next to the log under the log's name: a designer's
// document of that name, or a companion whose rows the designer changed, is
// replaced only when the user says so, and the log opens either way.
TEST_F(LogReport, ADocumentWhereTheCompanionGoesIsReplacedOnlyWhenTheUserSaysSo)
{
    const std::string designers = ReadFile(TestData("cases/worked_example.mdx"));
    const std::string logText = LogOf("", Station("10+00.00") + Station("10+50.00"), "");
    for (const bool edited : {false, true}) {
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            TempDir folder;
            const std::string log = folder / "clash.log", doc = folder / "clash.mdx";
            WriteFile(log, logText);
            std::string existing = designers;
            if (edited) {
                // The companion an earlier run wrote, one cut area changed since.
                ScriptedPrompter earlier;
                earlier.expectedMessages = {"File not found: mardex3.ini occured in Form_Load"};
                Session e(earlier);
                Form_Load(e);
                e.doc.ReportFolder = folder.path().string() + "/";
                earlier.Then(Picks(log));
                mnuFileOpen_Click(e);
                existing = ReadFile(doc);
                existing.replace(existing.find("1.00", existing.find("10+50.00")), 4, "7.25");
            }
            WriteFile(doc, existing);
            ScriptedPrompter q;
            q.expectedMessages = {" was kept; the log's station rows were not written.", "File not found: mardex3.ini occured in Form_Load"};
            Session t(q);
            Form_Load(t);
            t.doc.ReportFolder = folder.path().string() + "/";
            q.Then(Picks(log));
            q.Then(Asks(edited ? ReplaceEditedCompanionQuestion(doc, log) : ReplaceCompanionQuestion(doc, log), answer));
            mnuFileOpen_Click(t);
            mnuTotal_Click(t);  // asked once only
            EXPECT_TRUE(q.sawAll()) << edited;
            EXPECT_TRUE(t.doc.LogMode) << "the log opens either way";
            EXPECT_EQ(ReadFile(doc) == existing, answer == Answer::No) << edited;
            EXPECT_TRUE(LooksLikeLogCompanion(ReadFile(doc)) == (answer == Answer::Yes || edited));
            if (answer == Answer::No) {
                EXPECT_EQ(q.shown.back(), doc + " was kept; the log's station rows were not written.");
            }
        }
    }
}

// A previous companion has the shape its writer gives it; anything else is
// taken for the designer's document.
TEST(LogCompanion, APreviousCompanionIsRecognisedByItsShape)
{
    const std::string companion = ReadFile(TestData("log_cases/basic_english.companion.mdx"));
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = companion;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct { std::string text; bool recognised; } cases[] = {
        {companion, true},
        {ReadFile(TestData("cases/worked_example.mdx")), false},
        {with("[ENGLISH]\r\n\r\n", "[ENGLISH]\r\nDESIGNER\r\n"), false},  // a description typed
        {with("#BALANCE FACTOR\r\n1.00", "#BALANCE FACTOR\r\n1"), false},     // saved by the program
        {with("           -", "          FB"), false},                             // a code typed
        {companion + "more\r\n", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(LooksLikeLogCompanion(c.text), c.recognised) << c.text.substr(0, 200);
}

TEST_F(LogReport, CompanionOfMoreThan1800StationsContinuesInFurtherSheets)
{
    std::ostringstream entries;
    for (int i = 0; i < MaxDataRows + 5; ++i) entries << Station(std::to_string(10 + i) + "+00.00");
    Open(LogOf("", entries.str(), ""));
    const auto companion = FileLines(dir / "road.mdx");
    EXPECT_EQ(Containing(companion, "[END AREA").size(), 2u);
    EXPECT_EQ(IndexOf(companion, "[END AREA 2 CL1 (2)]"), 5 + 6 + MaxDataRows);

    ScriptedPrompter other;
    other.expectedMessages = {"File not found: mardex3.ini occured in Form_Load"};
    Session reader(other);
    Form_Load(reader);
    other.Then(Picks(dir / "road.mdx"));
    mnuFileOpen_Click(reader);
    EXPECT_EQ(reader.doc.SheetCount, 2);
    EXPECT_EQ(reader.store[0].EndRow(), MaxDataRows);
    EXPECT_EQ(reader.store[1].EndRow(), 5);
}

TEST_F(LogReport, LowerCaseExtensionKeepsTheCaseOfTheBaseName)
{
    Open(LogOf("", Station("10+00.00"), ""), "Road_A.Log");
    EXPECT_TRUE(std::filesystem::exists(dir / "Road_A.rpt"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Road_A.mdx"));
    EXPECT_EQ(LogReportFileName(s, WindowReport), dir / "Road_A.rpt");
    EXPECT_EQ(ReportFileName(s, WindowReport), dir / "Road_A.rpt");
}

TEST_F(LogReport, TheLargestLogIsReportedWithoutAFault)
{
    const std::string log = ReadFile(test::TestData("log_cases/largest_log_10000_entries.log"));
    ASSERT_FALSE(log.empty());
    Open(log, "big.log");
    EXPECT_TRUE(ask.shown.empty());
    EXPECT_EQ(s.logs()[0].EntryCount, MaxLogEntries);
    const auto report = Report("big.rpt");
    EXPECT_EQ(report.back(), std::string(65, '#'));
    EXPECT_EQ(s.report.ReportLineCount, static_cast<int32_t>(report.size()) - 8);
    EXPECT_GT(s.report.TotalPages, 100);
}

TEST_F(LogReport, AReportThatCannotBeWrittenIsAMessageNotACrash)
{
    Open(LogOf("", Station("10+00.00"), ""));
    ask.shown.clear();
    s.doc.ReportFolder = dir / "missing/folder/";
    EXPECT_FALSE(BuildTotalReport(s, WindowReport));
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_EQ(ask.shown[0].rfind("Program Error: ", 0), 0u);
    EXPECT_NE(ask.shown[0].find("occured in CreateGeopakLogReport"), std::string::npos);
}

TEST_F(LogReport, ImportAddsATabAndEachTabShowsItsOwnBaseline)
{
    Open(LogOf("", Station("10+00.00") + Station("10+50.00"), ""));
    Import(LogOf("", Station("20+00.00"), "", "RAMP"), "ramp.log");
    ASSERT_EQ(TabCaptions(s).size(), 2u);
    EXPECT_EQ(TabCaptions(s)[1], "BASELINE:  RAMP");
    EXPECT_EQ(s.doc.SheetCount, 2);
    EXPECT_EQ(s.doc.CurrentSheet, 1);
    EXPECT_EQ(hooks.previews, 2);
    EXPECT_FALSE(Containing(Report("ramp.rpt"), "20+00.00").empty());

    // a click on the first tab: its own two stations, not the last log's count
    s.form.SelectedTab = 0;
    TabStrip1_MouseUp(s, LeftButton, 0, 0, 0);
    EXPECT_EQ(s.doc.CurrentSheet, 0);
    EXPECT_EQ(s.doc.BaselineName, "  CL1");
    EXPECT_EQ(hooks.previews, 3);
    const auto report = Report("ramp.rpt");  // the report is named after the open log file
    EXPECT_EQ(report[3], "#TabName= BASELINE:  CL1");
    EXPECT_EQ(Containing(report, "10+50.00").size(), 1u);
    EXPECT_TRUE(Containing(report, "20+00.00").empty());
    // each baseline's companion stays next to its own log
    EXPECT_EQ(Containing(FileLines(dir / "road.mdx"), "10+50.00").size(), 1u);
    EXPECT_EQ(Containing(FileLines(dir / "ramp.mdx"), "20+00.00").size(), 1u);
    EXPECT_TRUE(Containing(FileLines(dir / "ramp.mdx"), "10+50.00").empty());

    // Back to sheets: the tabs show the sheets' names again.
    WriteFile(dir / "w.mdx", ReadFile(TestData("cases/worked_example.mdx")));
    ask.Then(Picks(dir / "w.mdx"));
    mnuFileOpen_Click(s);
    EXPECT_FALSE(s.doc.LogMode);
    EXPECT_EQ(TabCaptions(s), (std::vector<std::string>{"BL1", "Ramp A"}));
    Open(LogOf("", Station("10+00.00"), ""));
    mnuFileNew_Click(s);
    EXPECT_EQ(TabCaptions(s), std::vector<std::string>{"Mardex 1"});
}

TEST_F(LogReport, AnOpenThatReadsNothingLeavesTheLogShown)
{
    Open(LogOf("", Station("10+00.00"), ""));
    ask.expectedMessages.insert(ask.expectedMessages.end(),
                                {"FILE IS NOT COMPATIBLE", "(ReadFileVersion2002(NewFileIO))", "NO FILE EXIST BY THE NAME"});
    const struct {
        const char* name;
        const char* content;  // null: no such file
    } cases[] = {
        {"v3.mdx", "[VERSION 3]\r\n"},
        {"bad.mdx", "[VERSION 2002]\r\n[ENGLISH]\r\nD\r\nP\r\nC\r\n[NOTE]\r\n"},
        {"missing.mdx", nullptr},
    };
    for (const auto& c : cases) {
        if (c.content) WriteFile(dir / c.name, c.content);
        ask.Then(Picks(dir / c.name));
        mnuFileOpen_Click(s);
        EXPECT_TRUE(s.doc.LogMode) << c.name;
        EXPECT_EQ(TabCaptions(s), std::vector<std::string>{"BASELINE:  CL1"}) << c.name;
        EXPECT_FALSE(s.form.GridVisible) << c.name;
        EXPECT_TRUE(s.form.logExplanation.visible) << c.name;
        EXPECT_FALSE(s.form.mnuFileSaveEnabled) << c.name;
        EXPECT_FALSE(s.form.mnuEditEnabled) << c.name;
        EXPECT_EQ(s.form.importKind, ImportKind::Logs) << c.name;
        EXPECT_EQ(s.form.Caption, "GEOPAK LOG FILE: " + (dir / "road.log")) << c.name;
    }
    EXPECT_EQ(ask.shown.size(), 3u);
}

TEST_F(LogReport, ImportOfASameNamedBaselineAsksForAnotherName)
{
    Open(LogOf("", Station("10+00.00"), ""));
    WriteFile(dir / "again.log", LogOf("", Station("20+00.00"), ""));
    ask.Then(Picks(dir / "again.log"));
    ask.Then(test::Asks(" There is same named baseline tab already existing. Do you want to change tabname?",
                        Answer::Yes));
    ask.Then(test::Types("Please Name the Tab.", "CL1 second"));
    mnuImportFile_Click(s);
    ASSERT_EQ(TabCaptions(s).size(), 2u);
    EXPECT_EQ(TabCaptions(s)[0], "BASELINE:  CL1");
    EXPECT_EQ(TabCaptions(s)[1], "BASELINE: CL1 second");
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(LogReport, ABaselineMatchingATabNameAsAPatternAsksForAnotherName)
{
    Open(LogOf("", Station("10+00.00"), "", "CL?"));
    WriteFile(dir / "again.log", LogOf("", Station("20+00.00"), "", "CL7"));
    ask.Then(Picks(dir / "again.log"));
    ask.Then(test::Asks(" There is same named baseline tab already existing. Do you want to change tabname?",
                        Answer::No));
    mnuImportFile_Click(s);
    ASSERT_EQ(TabCaptions(s).size(), 2u);
    EXPECT_EQ(TabCaptions(s)[1], "BASELINE:  CL7");
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(LogReport, ImportAfterClickingAnEarlierTabNeverOverwritesALogShown)
{
    Open(LogOf("", Station("10+00.00"), ""));
    Import(LogOf("", Station("20+00.00"), "", "B"), "b.log");
    s.form.SelectedTab = 0;
    TabStrip1_MouseUp(s, LeftButton, 0, 0, 0);
    Import(LogOf("", Station("30+00.00"), "", "C"), "c.log");
    ASSERT_EQ(TabCaptions(s).size(), 3u);
    EXPECT_EQ(TabCaptions(s)[2], "BASELINE:  C");
    EXPECT_EQ(s.logs()[1].LogEntries.at(1).Name, "20+00.00");
    EXPECT_EQ(s.logs()[2].LogEntries.at(1).Name, "30+00.00");
}

TEST_F(LogReport, StickupReportHoldsEveryBaselineInTurn)
{
    Open(LogOf("", Station("10+00.00"), ""));
    Import(LogOf("", Station("20+00.00"), "", "RAMP"), "ramp.log");
    s.report.AccumulatedMode = ReportMode::Total;
    ASSERT_TRUE(BuildCombinedReport(s, SheetFault::FailRun, WindowReport));
    const auto report = Report("ramp.rpt");
    const int first = IndexOf(report, "#TabName= BASELINE:  CL1");
    const int second = IndexOf(report, "#TabName= BASELINE:  RAMP");
    ASSERT_GE(first, 0);
    ASSERT_GT(second, first);
    EXPECT_GT(IndexOf(report, "10+00.00"), first);
    EXPECT_LT(IndexOf(report, "10+00.00"), second);
    EXPECT_GT(IndexOf(report, "20+00.00"), second);
    EXPECT_EQ(Containing(report, std::string(65, '#')).size(), 2u);
}

TEST_F(LogReport, AClickOnATabWithoutALogShowsNothing)
{
    s.doc.LogMode = true;
    s.logs()[0].BaselineName = "A";
    s.logs()[1].BaselineName = "B";
    s.doc.SheetCount = 2;
    LogTabClick(s, 1);
    EXPECT_EQ(s.doc.CurrentSheet, 1);
    EXPECT_EQ(s.doc.BaselineName, " B");
    EXPECT_EQ(hooks.previews, 0);
    EXPECT_TRUE(ask.shown.empty());
}

} // namespace
} // namespace mardex
