// Reading GEOPAK logs: recognition, the line kinds of the three passes, the
// tokenizer, the balance-point conversion and the table limits.
#include "app/Session.h"
#include "app/GeopakLog.h"
#include "model/LogTables.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mardex {
namespace {

using test::ReadFile;
using test::ScriptedPrompter;
using test::TempDir;
using test::WriteFile;

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* l : lines) text += std::string(l) + "\r\n";
    return text;
}

// A log of the usual shape: marker, baseline, one table section, balance
// points, grand summary. Pieces are replaced by the tests.
struct LogText {
    std::string header = Lines({" 1     3     3 Earthwork", "", "   EARTHWORKS FOR BASELINE = CL1", ""});
    std::string table = Lines({
        " ----------------------------------------------------------",
        "   10+00.00      CL1",
        "        Excavation       42.22       0.00       0.00       1.00",
        "        Fill              1.79       0.00       0.00       1.25       0.00",
        "   10+50.00      CL1",
        "        Excavation        2.00      40.94      40.94       1.00",
        "        Fill              1.70       3.23       4.04       1.25      36.90",
        "   TOTALS  10+00.00 TO 10+50.00",
        " ----------------------------------------------------------",
    });
    std::string balance = Lines({
        "                      B A L A N C E   P O I N T S",
        "      Station                 Excavation            Fill",
        "   BALANCE POINT = 10+20.00, 35",
        "   ------------------------------------------------------------",
        "      Excavation       42.75      42.75      42.75",
        "      Fill             34.25      42.75      42.75",
        "",
        "   BALANCE POINT COMPUTATIONS COMPLETE",
    });
    std::string summary = Lines({
        "",
        "                 G R A N D     S U M M A R Y     T O T A L S",
        "",
        "                              Unadjusted  Adjusted    Mult",
        "                              Volume      Volume      Factor",
        "                              (cu. yd.)   (cu. yd.)",
        "               ---------------------------- ---------- ---------- ------",
        "               Excavation          256         256      1.00",
        "               Fill                272         340      1.25",
        "               ---------------------------- ---------- ---------- ------",
        "",
        "          M A S S   B A L A N C E   S U M M A R Y",
    });
    std::string Text() const { return header + table + balance + summary; }
};

class LogReader : public ::testing::Test {
protected:
    LogReader()
    {
        ask.expectedMessages = {" occured in WriteIncrementalValue", "holds more entries than",
                                " occured in CheckWhetherItIsLogFile", " occured in Parse_Station_String"};
    }

    // Writes the log and reads it into tab `sheet`.
    SheetLog& Load(const std::string& text, int sheet = 0, const std::string& name = "road.log")
    {
        const std::string path = dir / name;
        WriteFile(path, text);
        s.doc.CurrentFileName = path;
        s.doc.CurrentSheet = static_cast<int16_t>(sheet);
        s.doc.ReportFolder = dir.path().string() + "/";
        EXPECT_TRUE(LoadGeopakLog(s));
        return s.logs()[sheet];
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};
};

TEST_F(LogReader, RecognisesOnlyTheExactMarkerLine)
{
    const std::string exact = dir / "exact.log", trailing = dir / "trailing.log", indented = dir / "indented.log",
                      crOnly = dir / "cr.log";
    WriteFile(exact, "GEOPAK\r\n 1     3     3 Earthwork\r\nrest\r\n");
    WriteFile(trailing, " 1     3     3 Earthwork \r\n");
    WriteFile(indented, "  1     3     3 Earthwork\r\n");
    WriteFile(crOnly, "first\r 1     3     3 Earthwork");
    const std::string longer = dir / "longer.log", lfOnly = dir / "lf.log";
    WriteFile(longer, " 1     3     3 Earthworks\n");
    WriteFile(lfOnly, "x\n 1     3     3 Earthwork\nmore");
    EXPECT_EQ(CheckWhetherItIsLogFile(s, longer), 0);
    EXPECT_EQ(CheckWhetherItIsLogFile(s, lfOnly), 1);
    EXPECT_EQ(CheckWhetherItIsLogFile(s, exact), 1);
    EXPECT_EQ(CheckWhetherItIsLogFile(s, trailing), 0);
    EXPECT_EQ(CheckWhetherItIsLogFile(s, indented), 0);
    EXPECT_EQ(CheckWhetherItIsLogFile(s, crOnly), 1);
    EXPECT_TRUE(ask.shown.empty());
}

TEST_F(LogReader, AnUnreadableFileIsAMessageAndNotALog)
{
    EXPECT_EQ(CheckWhetherItIsLogFile(s, dir / "missing.log"), 0);
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_EQ(ask.shown[0].rfind(" Error: ", 0), 0u);
    EXPECT_NE(ask.shown[0].find(" occured in CheckWhetherItIsLogFile"), std::string::npos);
}

TEST(ParseStationString, EntryLineKeepsTheLastCharacterOfTheStationInSlotZero)
{
    LogRecord e;
    Parse_Station_String("   10+00.00 12.5 30.1  ", e);
    EXPECT_EQ(e.Name, "10+00.00");
    EXPECT_EQ(e.Value(0, 0), "0 12.5 30.1");
    EXPECT_EQ(e.Note, "");
}

TEST(ParseStationString, DiagnosticNotes)
{
    LogRecord at, forLine, noProp, other;
    Parse_Station_String("   at 11+50.00 in xsec.dgn", at);
    EXPECT_EQ(at.Note, "XS-NOELEM No cross-section elements found at 11+50.00 in xsec.dgn");
    Parse_Station_String("for 13+50.00 RT side", forLine);
    EXPECT_EQ(forLine.Note, "XS-W-DANGPROP Proposed finish grade elements does not connect for 13+50.00 RT side");
    Parse_Station_String(" XS-NOPROP No proposed cross section found at 10+50.00 ", noProp);
    EXPECT_EQ(noProp.Note, "XS-NOPROP No proposed cross section found at 10+50.00");
    other.Note = "kept";
    Parse_Station_String("AT 12+00.00", other);  // the names are compared case-sensitively
    EXPECT_EQ(other.Note, "kept");
}

TEST(ParseStationString, AnEntryLineWithoutABlankIsAFault)
{
    LogRecord e;
    EXPECT_THROW(Parse_Station_String("  12+00.00  ", e), std::exception);
    EXPECT_EQ(e.Name, "");
}

TEST(ParseStationString, BalancePointNameIsTheTextAfterTheEqualsUpToTheComma)
{
    LogRecord p, noComma, noEquals;
    Parse_Balance_Station_String("   BALANCE POINT = 15+20.00, 35   ", p);
    EXPECT_EQ(p.Name, " 15+20.00");
    Parse_Balance_Station_String("BALANCE POINT =16+00.00", noComma);
    EXPECT_EQ(noComma.Name, "16+00.00");
    Parse_Balance_Station_String("  17+00.00, 9", noEquals);
    EXPECT_EQ(noEquals.Name, "17+00.00");
}

TEST(TokenizeLogRow, StoresAtMostNineTokensForEntriesAndSevenOtherwise)
{
    const std::string row = "  a  b c d e f g h i j k l ";
    LogRecord entry, point;
    int32_t i = 1, j = 1;
    TokenizeLogRow(row, &entry, LogRowTable::Entries, i);
    TokenizeLogRow(row, &point, LogRowTable::BalancePoints, j);
    EXPECT_EQ(i, 1);
    EXPECT_EQ(entry.Value(1, 1), "a");
    EXPECT_EQ(entry.Value(1, 9), "i");
    EXPECT_EQ(entry.Value(1, 0), "");
    EXPECT_EQ(point.Value(1, 7), "g");
    EXPECT_EQ(point.Value(1, 8), "");
}

TEST(TokenizeLogRow, SingleTokenMovesTheLineOnExceptInTheSummary)
{
    LogRecord entry, summary;
    int32_t i = 2, k = 2;
    TokenizeLogRow("  ------  ", &entry, LogRowTable::Entries, i);
    TokenizeLogRow("Total", &summary, LogRowTable::Summary, k);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(entry.Value(3, 0), "------");
    EXPECT_EQ(k, 2);
    EXPECT_EQ(summary.Value(2, 0), "Total");
}

TEST(TokenizeLogRow, LinesBeyondTenAreDropped)
{
    LogRecord entry;
    int32_t i = 11;
    TokenizeLogRow("a b", &entry, LogRowTable::Entries, i);
    EXPECT_FALSE(entry.HasLine(11));
    int32_t empty = 4;
    TokenizeLogRow("   ", &entry, LogRowTable::Entries, empty);
    EXPECT_TRUE(entry.HasLine(4));
    EXPECT_EQ(entry.Value(4, 1), "");
}

TEST_F(LogReader, ReadsEntriesBaselineSummaryAndBalancePoints)
{
    SheetLog& t = Load(LogText{}.Text());
    EXPECT_EQ(s.doc.BaselineName, " CL1");
    EXPECT_EQ(t.EntryCount, 3);
    EXPECT_EQ(t.LogEntries.at(1).Name, "10+00.00");
    EXPECT_EQ(t.LogEntries.at(2).Value(2, 6), "36.90");
    EXPECT_EQ(t.LogEntries.at(3).Name, "TOTALS");
    EXPECT_EQ(t.BalanceCount, 1);
    EXPECT_EQ(t.LogBalancePoints.at(1).Name, " 10+20.00");
    EXPECT_EQ(t.LogBalancePoints.at(1).Value(2, 2), "34.25");
    EXPECT_EQ(t.LogSummary.Value(1, 1), "Excavation");
    EXPECT_EQ(t.LogSummary.Value(2, 3), "340");
    EXPECT_FALSE(t.HasAccumulated());
    EXPECT_EQ(s.doc.UnitSystem, 0);
    // the table lines and the summary lines make the report file until the report replaces it
    const std::string copied = ReadFile(dir / "road.rpt");
    EXPECT_EQ(copied.rfind("   10+00.00      CL1\r\n", 0), 0u);
    EXPECT_NE(copied.find("G R A N D"), std::string::npos);
}

TEST_F(LogReader, SingleTokenRowUnderAnEntryMovesTheLineIndexOnByTwo)
{
    LogText log;
    log.table = Lines({
        " ----------",
        "   10+00.00      CL1",
        "        Excavation       1.00",
        "        ------",
        "        Fill             2.00",
        "   TOTALS  10+00.00 TO 10+00.00",
        " ----------",
    });
    SheetLog& t = Load(log.Text());
    const LogRecord& e = t.LogEntries.at(1);
    EXPECT_EQ(e.Value(1, 1), "Excavation");
    EXPECT_EQ(e.Value(3, 0), "------");
    EXPECT_FALSE(e.HasLine(2) && !e.Value(2, 1).empty());
    EXPECT_EQ(e.Value(4, 1), "Fill");
}

TEST_F(LogReader, EntryLineWithoutABlankShowsTheMessageAndReadingGoesOn)
{
    LogText log;
    log.table = Lines({" ----------", "12+00.00", "   Excavation 1.00", "   12+50.00  CL1", "   Excavation 2.00",
                       "   TOTALS 1", " ----------"});
    SheetLog& t = Load(log.Text());
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_EQ(ask.shown[0], "Program Error: Invalid procedure call or argument occured in Parse_Station_String");
    EXPECT_EQ(t.LogEntries.at(1).Name, "");
    EXPECT_EQ(t.LogEntries.at(2).Name, "12+50.00");
    EXPECT_EQ(t.EntryCount, 3);
}

TEST_F(LogReader, MetricSummaryRowsStartOneLineLater)
{
    LogText english, metric;
    const std::string metricUnits = Lines({"                              (cubic     (cubic",
                                           "                               meters)    meters)"});
    metric.header += Lines({"   Area (sq. meters)   meters)    meters)   Factor"});
    metric.summary = Lines({
        "                 G R A N D     S U M M A R Y     T O T A L S",
        "",
        "                              Unadjusted  Adjusted    Mult",
        "                              Volume      Volume      Factor",
    }) + metricUnits + Lines({
        "               ----",
        "               Excavation          711         711      1.00",
        "               Fill               1046        1203      1.15",
        "          M A S S   B A L A N C E   S U M M A R Y",
    });
    SheetLog& e = Load(english.Text(), 0);
    EXPECT_EQ(e.LogSummary.Value(1, 1), "Excavation");
    SheetLog& m = Load(metric.Text(), 1);
    EXPECT_EQ(s.doc.UnitSystem, 1);
    EXPECT_EQ(m.UnitSystem, 1);
    EXPECT_EQ(m.LogSummary.Value(1, 1), "Excavation");
    EXPECT_EQ(m.LogSummary.Value(2, 2), "1046");
    // an English log read after it is English again, and not accumulated
    s.report.AccumulatedMode = ReportMode::Accumulated;
    Load(english.Text(), 2);
    EXPECT_EQ(s.doc.UnitSystem, 0);
    EXPECT_EQ(s.report.AccumulatedMode, ReportMode::Total);
}

TEST_F(LogReader, AddAccumulatedAndAdjustments)
{
    LogText log;
    log.header += Lines({"   ADD ACCUMULATED QUANTITIES", "   ADJUSTMENT", "      STATION = 11+10.00",
                         "      MATERIAL = X", "      EXCESS FILL = 150.00", "   adjustment", "      STATION 12+00.00",
                         "      MATERIAL = Y", "      Fill = 80.00", "   ADJUSTMENT", "      STATION = 13+00.00", "", "",
                         ""});
    s.report.AccumulatedMode = ReportMode::Total;
    SheetLog& t = Load(log.Text());
    EXPECT_TRUE(t.HasAccumulated());
    EXPECT_EQ(s.report.AccumulatedMode, ReportMode::Accumulated);
    EXPECT_EQ(t.AdjustmentCount, 3);
    EXPECT_EQ(t.LogAdjustments.at(1).Name, " 11+10.00");
    EXPECT_EQ(t.LogAdjustments.at(1).Note, "Exc");  // "EXC" is tested before "FILL"
    EXPECT_EQ(t.LogAdjustments.at(1).Value(0, 0), " 150.00");
    EXPECT_EQ(t.LogAdjustments.at(2).Name, "      STATION 12+00.00");
    EXPECT_EQ(t.LogAdjustments.at(2).Note, "Fill");
    EXPECT_EQ(t.LogAdjustments.at(2).Value(1, 0), " 80.00");
    EXPECT_EQ(t.LogAdjustments.at(3).Note, "");
}

TEST(DecimalDifference, IsExactAndWrittenAsGeneralText)
{
    EXPECT_EQ(DecimalDifference("691.22", "631.68"), "59.54");
    EXPECT_EQ(DecimalDifference("254.00", "208.00"), "46");
    EXPECT_EQ(DecimalDifference("0", "42.75"), "-42.75");
    EXPECT_EQ(DecimalDifference("-1.5", "-1.5"), "0");
    EXPECT_EQ(DecimalDifference(" 1e2 ", "0.001"), "99.999");
    EXPECT_EQ(DecimalDifference("100000000000000000", "0"), "1E+17");
    EXPECT_EQ(DecimalDifference("n/a", "1"), std::nullopt);
    EXPECT_EQ(DecimalDifference("1", ""), std::nullopt);
}

TEST_F(LogReader, WriteIncrementalValueConvertsOnceAndTwiceChangesNothing)
{
    LogText log;
    log.balance = Lines({
        "     B A L A N C E   P O I N T S",
        "   x",
        "   BALANCE POINT = 10+10.00, 1",
        "   ----------",
        "      Excavation      631.68     100.00     100.00",
        "      Fill            100.00     200.00     200.00",
        "   BALANCE POINT = 10+30.00, 2",
        "   ----------",
        "      Excavation      691.22     150.00     150.00",
        "      Fill            130.00     250.00     250.00",
        "   BALANCE POINT COMPUTATIONS COMPLETE",
    });
    SheetLog& t = Load(log.Text());
    const LogRecord& second = t.LogBalancePoints.at(2);
    EXPECT_EQ(second.Value(1, 4), "59.54");
    EXPECT_EQ(second.Value(1, 5), "50");
    EXPECT_EQ(second.Value(1, 6), "150.00");
    EXPECT_EQ(second.Value(2, 4), "30");
    EXPECT_TRUE(WriteIncrementalValue(s, 0));
    EXPECT_EQ(second.Value(1, 4), "59.54");
    EXPECT_EQ(second.Value(1, 6), "150.00");
    EXPECT_EQ(t.LogBalancePoints.at(1).Value(1, 4), "100.00");
}

TEST_F(LogReader, WriteIncrementalValueStopsAtAValueThatIsNotANumber)
{
    LogText log;
    log.balance = Lines({
        "     B A L A N C E   P O I N T S",
        "   x",
        "   BALANCE POINT = 10+10.00, 1",
        "   ----------",
        "      Excavation      n/a        100.00     100.00",
        "      Fill            100.00     200.00     200.00",
        "   BALANCE POINT = 10+30.00, 2",
        "   ----------",
        "      Excavation      691.22     150.00     150.00",
        "      Fill            130.00     250.00     250.00",
        "   BALANCE POINT COMPUTATIONS COMPLETE",
    });
    SheetLog& t = Load(log.Text());
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_EQ(ask.shown[0], "Program Error: Type mismatch occured in WriteIncrementalValue");
    // line 1 failed, so line 2 is never reached
    EXPECT_EQ(t.LogBalancePoints.at(2).Value(1, 4), "150.00");
    EXPECT_EQ(t.LogBalancePoints.at(2).Value(2, 4), "250.00");
}

TEST_F(LogReader, BalancePointRowIndexRestartsAtEachPointAndAtADashesLine)
{
    LogText log;
    log.balance = Lines({
        "     B A L A N C E   P O I N T S",
        "   heading",
        "   ----------",  // a dashes Y: a row of entry 0
        "   row a",
        "   BALANCE POINT = 10+10.00, 1",
        "   BALANCE POINT = 10+20.00, 2",
        "   ----------",
        "      Excavation  1  2  3",
        "   COMPLETE",
    });
    SheetLog& t = Load(log.Text());
    // the dashes line is a single-token row: it moves the index on once more
    EXPECT_EQ(t.LogBalancePoints.at(0).Value(2, 0), "----------");
    EXPECT_EQ(t.LogBalancePoints.at(0).Value(3, 1), "row");
    EXPECT_EQ(t.BalanceCount, 2);
    EXPECT_EQ(t.LogBalancePoints.at(1).Value(1, 1), "");
    EXPECT_EQ(t.LogBalancePoints.at(2).Value(1, 1), "Excavation");
    // rows after the point are read up to the next "+", "COMPLETE" included
    EXPECT_EQ(t.LogBalancePoints.at(2).Value(3, 0), "COMPLETE");
}

TEST_F(LogReader, LogWithoutDashesFillsNoEntries)
{
    LogText log;
    log.table = Lines({"   10+00.00      CL1", "        Excavation       42.22"});
    SheetLog& t = Load(log.Text());
    EXPECT_EQ(t.EntryCount, 0);
    const std::string copied = ReadFile(dir / "road.rpt");
    EXPECT_EQ(copied.find("10+00.00"), std::string::npos);
    EXPECT_NE(copied.find("                 G R A N D"), std::string::npos);
}

TEST(LogStationToNumber, ThreeDigitsAfterThePlusAreKilometresAndMetres)
{
    EXPECT_DOUBLE_EQ(LogStationToNumber("10+680.00"), 10680);
    EXPECT_DOUBLE_EQ(LogStationToNumber("1+000.000"), 1000);
    EXPECT_DOUBLE_EQ(LogStationToNumber("0+020.000"), 20);
    EXPECT_DOUBLE_EQ(LogStationToNumber("2+680"), 2680);
    EXPECT_DOUBLE_EQ(LogStationToNumber("-0+500.000"), -500);
    EXPECT_DOUBLE_EQ(LogStationToNumber("10+68.00"), 1068);
    EXPECT_DOUBLE_EQ(LogStationToNumber(" 15+20.00"), 1520);
    EXPECT_DOUBLE_EQ(LogStationToNumber("TOTALS"), 0);
}

TEST_F(LogReader, LargestLogIsReadWithoutAMessageAndALargerOneSaysSoOnce)
{
    std::ostringstream table;
    table << " ----------\r\n";
    for (int i = 0; i < MaxLogEntries + 5; ++i)
        table << "   " << i << "+00.00 CL1\r\n        Excavation 1.00\r\n";
    table << "   TOTALS 0\r\n ----------\r\n";
    LogText log;
    log.table = table.str();
    SheetLog& t = Load(log.Text());
    EXPECT_EQ(t.EntryCount, MaxLogEntries);
    EXPECT_EQ(s.logs().LogEntryCount, MaxLogEntries + 6);
    EXPECT_EQ(t.LogEntries.at(MaxLogEntries).Name, "9999+00.00");
    ASSERT_EQ(ask.shown.size(), 1u);
    EXPECT_NE(ask.shown[0].find("10000"), std::string::npos);
    EXPECT_NE(ask.shown[0].find(dir / "road.log"), std::string::npos);
}

TEST(LogTables, GrowOnDemandWithinTheirLimits)
{
    LogTables tables;
    EXPECT_EQ(tables[25].LogEntries.Allocated(), 0u);
    tables[25].LogEntries.Write(3).Name = "x";
    EXPECT_EQ(tables[25].LogEntries.Allocated(), 4u);
    EXPECT_EQ(tables[25].LogEntries.at(9000).Name, "");
    EXPECT_THROW(tables[25].LogEntries.Write(MaxLogEntries + 1), std::out_of_range);
    EXPECT_THROW(tables[26], std::out_of_range);
    LogRecord r;
    EXPECT_FALSE(r.SetValue(11, 0, "x"));
    EXPECT_FALSE(r.SetValue(0, 10, "x"));
}

} // namespace
} // namespace mardex
