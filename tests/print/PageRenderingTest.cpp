#include "PrintFixture.h"

#include "app/ReportCommands.h"
#include "render/GeneralDate.h"
#include "model/LogTables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mardex::test {
namespace {

std::vector<std::string> Text1Lines(const std::string& previewText)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < previewText.size()) {
        const auto end = previewText.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line of Text1 ends with a line break";
        if (end == std::string::npos) break;
        out.push_back(previewText.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

bool Contains(const std::vector<std::string>& texts, const std::string& t)
{
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

// ---------------------------------------------------------------- texts

TEST(GeneralDate, MonthDayYearAndTwelveHourClock)
{
    std::tm t{};
    t.tm_year = 126; t.tm_mon = 0; t.tm_mday = 5; t.tm_hour = 0; t.tm_min = 7; t.tm_sec = 3;
    EXPECT_EQ(FormatGeneralDateTime(t), "1/5/2026 12:07:03 AM");
    t.tm_hour = 12;
    EXPECT_EQ(FormatGeneralDateTime(t), "1/5/2026 12:07:03 PM");
    t.tm_hour = 23; t.tm_mon = 11; t.tm_mday = 31;
    EXPECT_EQ(FormatGeneralDateTime(t), "12/31/2026 11:07:03 PM");
}

TEST(RunningHeader, PagesTextKeepsSignPositionAndTrailingBlank)
{
    EXPECT_EQ(PagesText(3, 7), "Pages :  3  OF  7 ");
    EXPECT_EQ(PagesText(12, 140), "Pages :  12  OF  140 ");
    EXPECT_EQ(PagesText(-1, 2), "Pages : -1  OF  2 ");
}

TEST(RunningHeader, DrawsDescriptionsDatePagesAndBaseLine)
{
    PrintFixture f;
    RecordingSurface printer;
    f.Prepare(printer);
    f.s.print.PrintedPageNumber = 2;
    f.s.report.TotalPages = 3;
    WriteHeader(f.s, printer);
    const int W = f.W(), H = f.H();
    ASSERT_NE(printer.TextAt(0, W - 86, H - 60), nullptr);
    EXPECT_EQ(printer.TextAt(0, W - 86, H - 60)->text, "DESIGN UNIT 4");
    EXPECT_EQ(printer.TextAt(0, W - 86, H - 59)->text, "STP-12(3)");
    EXPECT_EQ(printer.TextAt(0, W - 86, H - 58)->text, "C-101");
    EXPECT_EQ(printer.TextAt(0, W - 25, H - 60)->text, "12/7/2026 3:04:09 PM");
    EXPECT_EQ(printer.TextAt(0, W - 25, H - 59)->text, "Pages :  2  OF  3 ");
    EXPECT_EQ(printer.TextAt(0, W - 25, H - 58)->text, " ");
    EXPECT_DOUBLE_EQ(printer.TextAt(0, W - 25, H - 59)->fontSize, 8.28);

    f.s.doc.LogMode = true;
    f.s.doc.BaselineName = "CL_MAIN";
    RecordingSurface again;
    WriteHeader(f.s, again);
    EXPECT_EQ(again.TextAt(0, W - 25, H - 58)->text, "BaseLine Name: CL_MAIN");
}

// Long header fields are cut where the next text on their line begins (the
// date, the page count, the baseline, "For ..."): a character of Courier is
// 0.6 of its size wide and a column a twelfth of an inch. Short ones stand whole.
TEST(RunningHeader, LongFieldsAreCutAtTheirColumnShortOnesStandWhole)
{
    struct Case {
        bool banner;
        int row;       // H - row
        int x;         // W - x
        std::size_t length;  // what is drawn of a 120-character field
    };
    const Case cases[] = {
        {false, 60, 86, 72}, {false, 59, 86, 72}, {false, 58, 86, 72},  // 61 columns at 8.28 points
        {true, 52, 90, 44}, {true, 51, 90, 44},                         // 55 columns at 12 points, label included
    };
    for (const bool longFields : {true, false}) {
        PrintFixture f;
        if (longFields) f.s.doc.DescriptionFields = {std::string(120, 'D'), std::string(120, 'P'), std::string(120, 'C')};
        const auto fields = f.s.doc.DescriptionFields;
        RecordingSurface header, banner;
        f.Prepare(header);
        WriteHeader(f.s, header);
        WriteFileBanner(f.s, banner);
        for (const Case& c : cases) {
            const auto* drawn = (c.banner ? banner : header).TextAt(0, f.W() - c.x, f.H() - c.row);
            ASSERT_NE(drawn, nullptr);
            const std::string field = fields[c.banner ? 52 - c.row : 60 - c.row];
            const std::string whole = c.banner ? std::string(c.row == 52 ? "DESIGNER     :" : "PROJECT NO   :") + field : field;
            EXPECT_EQ(drawn->text, longFields ? whole.substr(0, c.length) : whole) << c.row;
        }
    }
}

TEST(Banner, FullBannerTextsAndBaseLine)
{
    PrintFixture f;
    RecordingSurface printer;
    f.Prepare(printer);
    WriteFileBanner(f.s, printer);
    const int W = f.W(), H = f.H();
    const auto* title = printer.TextAt(0, W - 76, H - 57);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, "TORVALIA DEPARTMENT OF ROADS");
    EXPECT_TRUE(title->bold);
    EXPECT_DOUBLE_EQ(title->fontSize, 18);
    EXPECT_EQ(printer.TextAt(0, W - 73, H - 55)->text, "EARTHWORK CALCULATION REPORT");
    const auto* designer = printer.TextAt(0, W - 90, H - 52);
    EXPECT_EQ(designer->text, "DESIGNER     :DESIGN UNIT 4");
    EXPECT_FALSE(designer->bold);
    EXPECT_DOUBLE_EQ(designer->fontSize, 12);
    EXPECT_EQ(printer.TextAt(0, W - 35, H - 52)->text, "For BL1");
    EXPECT_TRUE(printer.TextAt(0, W - 35, H - 52)->bold);
    EXPECT_EQ(printer.TextAt(0, W - 90, H - 51)->text, "PROJECT NO   :STP-12(3)");
    EXPECT_EQ(printer.TextAt(0, W - 35, H - 51)->text, " ");
    EXPECT_EQ(printer.TextAt(0, W - 90, H - 50)->text, "CONTROL NO   :C-101");
    // Two horizontal and two vertical rules, horizontals ending at 2W - 99.
    ASSERT_EQ(printer.pages[0].lines.size(), 4u);
    const auto& top = printer.pages[0].lines[0];
    EXPECT_EQ(top.x, W - 95);
    EXPECT_EQ(top.y, H - 57);
    EXPECT_EQ(top.x + top.dx, 2 * W - 99);

    f.s.doc.LogMode = true;
    f.s.doc.BaselineName = "BL A";
    f.s.logs()[0].BaselineName = "BL A";  // a log's tab; its sheet has no name
    f.s.store[0].TabName.clear();
    RecordingSurface log;
    WriteFileBanner(f.s, log);
    EXPECT_EQ(log.TextAt(0, W - 35, H - 51)->text, "BaseLine Name: BL A");
    EXPECT_EQ(log.TextAt(0, W - 35, H - 52)->text, "For BASELINE: BL A");
}

TEST(Banner, ShortBannerHasTitlesOnlyAndLeavesSizeTen)
{
    PrintFixture f;
    RecordingSurface preview(96, 63, true);
    f.Prepare(preview);
    WriteShortBanner(f.s, preview);
    EXPECT_EQ(preview.TextsOf(0), (std::vector<std::string>{"TORVALIA DEPARTMENT OF ROADS", "EARTHWORK CALCULATION REPORT"}));
    preview.PrintText("next");
    EXPECT_DOUBLE_EQ(preview.pages[0].texts.back().fontSize, 10);
    EXPECT_TRUE(preview.pages[0].texts.back().bold);
}

TEST(TableHeader, TotalAndAccumulatedCaptionsWithEnglishAndMetricUnits)
{
    PrintFixture f;
    RecordingSurface total;
    f.Prepare(total);
    WriteTables(f.s, total, 48);
    const int W = f.W(), H = f.H(), t = 48;
    EXPECT_EQ(total.TextAt(0, W - 22, H - t + 1)->text, "ADJUSTED");
    EXPECT_EQ(total.TextAt(0, W - 22, H - t + 2)->text, "FILL-VOL.");
    EXPECT_EQ(total.TextAt(0, W - 13, H - t + 1)->text, "MASS");
    EXPECT_EQ(total.TextAt(0, W - 13, H - t + 2)->text, "ORDINATE");
    EXPECT_EQ(total.TextAt(0, W - 66, H - t + 1)->text, "TOTAL");
    EXPECT_EQ(total.TextAt(0, W - 68, H - t)->text, "EXCAVATION");
    EXPECT_EQ(total.TextAt(0, W - 39, H - t)->text, "EMBANKMENT");
    EXPECT_EQ(total.TextAt(0, W - 93, H - t + 2), nullptr) << "STATION has one line";

    std::vector<std::string> units;
    for (auto& text : total.pages[0].texts)
        if (text.y == H - t + 3) units.push_back(text.text);
    EXPECT_EQ(units, (std::vector<std::string>{"Sq.Ft.", "Cu.Yds.", "Cu.Yds.", "Sq.Ft.", "Cu.Yds.", "Cu.Yds.",
                                               "Cu.Yds.", "Cu.Yds."}));
    // Three horizontal rules, two box sides and nine column separators.
    EXPECT_EQ(total.pages[0].lines.size(), 14u);

    f.s.report.AccumulatedMode = ReportMode::Accumulated;
    f.s.doc.UnitSystem = 1;
    RecordingSurface accum;
    WriteTables(f.s, accum, 56);
    const int u = 56;
    EXPECT_EQ(accum.TextAt(0, W - 22, H - u + 1)->text, "ACCM.");
    EXPECT_EQ(accum.TextAt(0, W - 22, H - u + 2)->text, "NET-VOL.");
    EXPECT_EQ(accum.TextAt(0, W - 13, H - u + 2)->text, "ADJ-FILL");
    EXPECT_EQ(accum.TextAt(0, W - 40, H - u + 1)->text, "ACCM.");
    units.clear();
    for (auto& text : accum.pages[0].texts)
        if (text.y == H - u + 3) units.push_back(text.text);
    EXPECT_EQ(units, (std::vector<std::string>{"Sq.m.", "Cu.m.", "Cu.m.", "Sq.m.", "Cu.m.", "Cu.m.", "Cu.m.", "Cu.m."}));
    for (auto& text : accum.pages[0].texts) EXPECT_TRUE(text.bold && text.transparent) << text.text;
}

// ---------------------------------------------------------------- ReformatToPrint

TEST(ReformatToPrint, StationRowBecomesTenColumnsOfEight)
{
    PrintFixture f;
    const std::string line =
        "00+50.000      37.25       0.00      34.00       0.00       0.00       0.00       1.00       0.00      34.00";
    // The first token keeps its blank: ten characters, not cut.
    EXPECT_EQ(ReformatToPrint(line),
              "00+50.000      37.25      0.00     34.00      0.00      0.00      0.00      1.00      0.00       34.00");
    EXPECT_TRUE(f.ask.shown.empty());
}

TEST(ReformatToPrint, LongTokensAreNotCut)
{
    PrintFixture f;
    EXPECT_EQ(ReformatToPrint("1000+00.000 1 2 3 4 5 6 7 8 1234567890.00"),
              "1000+00.000          1         2         3         4         5         6         7         8    1234567890.00");
}

TEST(ReformatToPrint, BalRowLeavesColumnsFiveToEightBlank)
{
    PrintFixture f;
    // The "Bal." branch is taken on the second token.
    EXPECT_EQ(ReformatToPrint("x Bal. 1.00 2.00 3.00 4.00"),
              "      x       Bal.      1.00      2.00                                              3.00        4.00");
    EXPECT_TRUE(f.ask.shown.empty());
}

TEST(ReformatToPrint, BalanceTotalsRowOfTheReportIsPrintedAsItStands)
{
    PrintFixture f;
    // Its second token is "Totals": neither a number nor "Bal.".
    const std::string line = "Bal. Totals       0.00       0.00      52.00       0.00       0.00      51.00       0.00      51.00       1.00";
    EXPECT_EQ(ReformatToPrint(line), line);
    EXPECT_TRUE(f.ask.shown.empty());
}

// Lines with fewer fields than a station row print as they are or with
// empty fields: nothing has failed, so no message is shown.
TEST(ReformatToPrint, ShortLinesPrintWithoutAnyMessage)
{
    const std::string blank8(8, ' ');
    const std::string rule = "*+" + std::string(113, '*');
    const std::string r4 = "*+" + std::string(10, '*') + " " + std::string(105, '*');
    const struct { std::string line, printed; } cases[] = {
        {rule, rule},
        {r4, r4},
        {"01+00.000 1.00 2.00 3.00 4.00", "01+00.000       1.00      2.00      3.00  " + blank8 + "  " + blank8 + "  " +
                                               blank8 + "  " + blank8 + "  " + blank8 + "    " + "    4.00"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReformatToPrint(c.line), c.printed);
}

TEST(ReformatToPrint, OtherLinesUnchanged)
{
    PrintFixture f;
    for (const std::string line : {"+Skip Area From Station 12+00.000", "Eq+uation Sta. 10+00.000 BK = 10+50.000 AH",
                                    "+                 G R A N D     S U M M A R Y     T O T A L S"})
        EXPECT_EQ(ReformatToPrint(line), line);
    EXPECT_TRUE(f.ask.shown.empty());
}

// ---------------------------------------------------------------- pages

TEST(RenderPage, PreviewPagesShowTheirLinesInTextOneOnce)
{
    PrintFixture f;
    f.UseReport("fix14_pages_86_rows.total.rpt");
    ASSERT_EQ(f.s.report.TotalPages, 3);
    const auto drawn = DrawnLinesOf(f.ReportPath());
    RecordingSurface preview(96, 63, true);
    f.Prepare(preview);

    std::vector<std::string> seen;
    for (int k = 1; k <= 3; ++k) {
        f.s.print.PageToRender = static_cast<int16_t>(k);
        f.s.print.PrintedPageNumber = static_cast<int16_t>(k);
        RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
        EXPECT_TRUE(preview.previewTextReadOnly);
        const auto lines = Text1Lines(preview.previewText);
        EXPECT_EQ(lines.size(), k == 1 ? 44u : k == 2 ? 51u : drawn.size() - 95);
        for (auto& l : lines) {
            ASSERT_EQ(l.substr(0, 5), "     ");
            seen.push_back(l.substr(5));
        }
        const auto texts = preview.TextsOf(0);
        EXPECT_TRUE(Contains(texts, "Pages :  " + std::to_string(k) + "  OF  3 "));
        EXPECT_TRUE(Contains(texts, "TORVALIA DEPARTMENT OF ROADS"));
        EXPECT_EQ(Contains(texts, "DESIGNER     :DESIGN UNIT 4"), k == 1) << "full banner on page 1 only";
    }
    EXPECT_EQ(seen, drawn);
    EXPECT_EQ(preview.showCalls, 3);
}

TEST(RenderPage, LaterPreviewPageTableAtFiftyOne)
{
    PrintFixture f;
    f.UseReport("fix14_pages_86_rows.total.rpt");
    RecordingSurface preview(96, 63, true);
    f.Prepare(preview);
    f.s.print.PageToRender = 2;
    RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
    EXPECT_EQ(preview.TextAt(0, f.W() - 68, f.H() - 51)->text, "EXCAVATION");
}

TEST(RenderPage, PageBeyondTheLastDrawsNothingAndKeepsThePreview)
{
    PrintFixture f;
    f.UseReport("fix14_pages_86_rows.total.rpt");
    RecordingSurface preview(96, 63, true);
    f.Prepare(preview);
    RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
    const std::string page1 = preview.previewText;
    const auto texts = preview.TextsOf(0);
    f.s.print.PageToRender = 4;
    RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
    EXPECT_EQ(preview.previewText, page1);
    EXPECT_EQ(preview.TextsOf(0), texts);
    EXPECT_EQ(preview.clears, 1);
}

TEST(RenderPage, PrinterPageBeyondTheLastStartsNoDocument)
{
    PrintFixture f;
    f.UseReport("fix14_pages_86_rows.total.rpt");
    RecordingSurface printer;
    f.Prepare(printer);
    f.s.print.PageToRender = 4;
    RenderPage(f.s, printer, ReportFileName(f.s, WindowReport));
    EXPECT_EQ(printer.documentsBegun, 0);
    EXPECT_TRUE(printer.pages[0].Empty());
    f.s.print.PageToRender = 0;  // a from-page of 0 prints nothing
    RenderPage(f.s, printer, ReportFileName(f.s, WindowReport));
    EXPECT_EQ(printer.documentsBegun, 0);
}

TEST(RenderPage, HashLinesAnywhereAreNeverDrawnAndDoNotShiftPages)
{
    PrintFixture f;
    auto lines = NumberedReport(60);
    lines.insert(lines.begin() + 10, "NOTE WITH # INSIDE");  // within page 1
    f.UseLines(lines);
    ASSERT_EQ(f.s.report.TotalPages, 2);
    RecordingSurface preview(96, 63, true);
    f.Prepare(preview);
    RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
    auto page1 = Text1Lines(preview.previewText);
    EXPECT_EQ(page1.back(), "     LINE44 OF THE REPORT");
    EXPECT_EQ(preview.previewText.find('#'), std::string::npos);
    f.s.print.PageToRender = 2;
    RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
    auto page2 = Text1Lines(preview.previewText);
    ASSERT_EQ(page2.size(), 16u);
    EXPECT_EQ(page2.front(), "     LINE45 OF THE REPORT");
}

TEST(RenderPage, PrinterPageAfterTheFirstStartsAPageWithTablesAtFiftySix)
{
    PrintFixture f;
    f.ask.expectedMessages = {"Sent to the printer"};
    f.UseReport("fix14_pages_86_rows.total.rpt");
    RecordingSurface printer;
    f.Prepare(printer);
    printer.DrawLine(0, 0, 1, 0);  // something already on the sheet
    f.s.print.PageToRender = 3;
    RenderPage(f.s, printer, ReportFileName(f.s, WindowReport));
    ASSERT_EQ(printer.pages.size(), 2u);
    EXPECT_EQ(f.s.print.PrintedPageNumber, 3);
    const int W = f.W(), H = f.H();
    EXPECT_EQ(printer.TextAt(1, W - 68, H - 56)->text, "EXCAVATION");
    EXPECT_EQ(printer.TextAt(1, W - 25, H - 59)->text, "Pages :  3  OF  3 ");
    EXPECT_FALSE(Contains(printer.TextsOf(1), "TORVALIA DEPARTMENT OF ROADS"));
    // Page 3 holds the last line of the summary, at the top of the budget.
    const auto* first = printer.TextAt(1, W - 95, H - 51);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text, "+        ---------------------------- ---------- ---------- ------");
}

TEST(RenderPage, MissingReportFileIsReportedAndNothingShown)
{
    PrintFixture f;
    f.ask.Then(Says(""));
    RecordingSurface preview(96, 63, true);
    f.Prepare(preview);
    RenderPage(f.s, preview, ReportFileName(f.s, WindowReport));
    ASSERT_EQ(f.ask.shown.size(), 1u);
    EXPECT_EQ(f.ask.shown[0].rfind(" System Error: ", 0), 0u);
    EXPECT_NE(f.ask.shown[0].find(" occured in PrintOneByOne"), std::string::npos);
    EXPECT_EQ(preview.showCalls, 0);
    EXPECT_TRUE(preview.pages[0].Empty());
}

// ---------------------------------------------------------------- Print All

TEST(PrintAll, EveryDrawnLineOnceInOrderOnTotalPagesPages)
{
    PrintFixture f;
    f.UseReport("fix14_pages_86_rows.accum.rpt");
    f.s.report.AccumulatedMode = ReportMode::Accumulated;
    RecordingSurface printer;
    ASSERT_TRUE(PrintAllPages(f.s, printer, ReportFileName(f.s, WindowReport)));
    ASSERT_EQ(printer.pages.size(), 3u);
    EXPECT_EQ(printer.documentsEnded, 1);

    std::vector<std::string> body;
    for (std::size_t p = 0; p < printer.pages.size(); ++p) {
        const auto texts = printer.TextsOf(p);
        EXPECT_TRUE(Contains(texts, "Pages :  " + std::to_string(p + 1) + "  OF  3 "));
        EXPECT_TRUE(Contains(texts, "NET-VOL."));
        EXPECT_EQ(Contains(texts, "TORVALIA DEPARTMENT OF ROADS"), p == 0);
        int budget = p == 0 ? 44 : 51;
        for (auto& t : printer.pages[p].texts)
            if (t.x == f.W() - 95 && t.y == f.H() - budget) {
                body.push_back(t.text);
                --budget;
            }
    }
    EXPECT_EQ(body, DrawnLinesOf(f.ReportPath()));
}

TEST(PrintAll, ExactlyFullLastPageStartsNoPageOfHeadersAlone)
{
    PrintFixture f;
    f.UseLines(NumberedReport(44 + 51));  // then only the "#" end line
    ASSERT_EQ(f.s.report.TotalPages, 2);
    RecordingSurface printer;
    ASSERT_TRUE(PrintAllPages(f.s, printer, ReportFileName(f.s, WindowReport)));
    EXPECT_EQ(printer.pages.size(), 2u);
    EXPECT_EQ(f.s.print.PrintedPageNumber, 2);
}

TEST(PrintAll, ReportWithNoDrawnLinesStillPrintsItsOnePage)
{
    PrintFixture f;
    f.UseLines(NumberedReport(0));
    RecordingSurface printer;
    ASSERT_TRUE(PrintAllPages(f.s, printer, ReportFileName(f.s, WindowReport)));
    EXPECT_EQ(printer.pages.size(), 1u);
    EXPECT_TRUE(Contains(printer.TextsOf(0), "Pages :  1  OF  1 "));
}

TEST(PrintAll, PreparesThePrinterFromItsPrintableArea)
{
    PrintFixture f;
    f.UseLines(NumberedReport(3));
    RecordingSurface printer(99.9, 67.5);
    ASSERT_TRUE(PrintAllPages(f.s, printer, ReportFileName(f.s, WindowReport)));
    EXPECT_EQ(f.W(), 99);
    EXPECT_EQ(f.H(), 67);
    EXPECT_EQ(printer.fontName, "courier");
    EXPECT_EQ(printer.TextAt(0, 99 - 95, 67 - 44)->text, "LINE1 OF THE REPORT");
}

// ---------------------------------------------------------------- page count

// The page count the report writer gives (the cases' .pages files) is the
// number of pages the renderer draws from the file.
TEST(PageCount, SampleReportsDrawAsManyPagesAsTheirCount)
{
    const std::string cases = TestData("cases/");
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(cases)) {
        if (entry.path().extension() != ".pages") continue;
        std::ifstream in(entry.path());
        std::string key;
        long pages = 0, lines = 0;
        while (in >> key >> pages >> lines) {
            const std::string report = cases + entry.path().stem().string() + "." + key + ".rpt";
            if (!std::filesystem::exists(report)) continue;
            EXPECT_EQ(CountDrawnPages(report), pages) << report;
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);
    EXPECT_EQ(CountDrawnPages(cases + "no_such_file.rpt"), -1);
}

} // namespace
} // namespace mardex::test
