#include "PrintFixture.h"

#include "app/PreviewCommands.h"

#include <gtest/gtest.h>

namespace mardex::test {
namespace {

// The page-range dialog as a user fills it in.
class TypedRange : public PageRangeDialog {
public:
    TypedRange(std::string from, std::string to, bool cancel = false)
        : from_(std::move(from)), to_(std::move(to)), cancel_(cancel) {}
    void ShowModal(Session& s) override
    {
        PrintSelectForm form;
        frmPrintSelect_Load(s, form);
        totalShown = form.TotalPage;
        if (cancel_) {
            cmdCancel_Click(s, form);
            return;
        }
        form.FromPage = from_;
        form.ToPage = to_;
        cmdDone_Click(s, form);
        EXPECT_TRUE(form.Closed);
    }
    std::string totalShown;

private:
    std::string from_, to_;
    bool cancel_;
};

struct Preview : PrintFixture {
    RecordingSurface preview{96, 63, true};
    RecordingSurface printer{96, 63, false};
    Preview()
    {
        UseReport("pages_86_rows.total.rpt");
        OpenReportPreview(s, preview, printer);
    }
};

TEST(PreviewNavigation, OpeningRendersPageOneAndShowsTheWindow)
{
    Preview p;
    EXPECT_EQ(p.s.print.PageToRender, 1);
    EXPECT_EQ(p.W(), 96);
    EXPECT_EQ(p.preview.showCalls, 1);
    EXPECT_EQ(p.preview.previewText.substr(0, 14), "     00+00.000");
}

TEST(PreviewNavigation, BackOnFirstPageSaysSoAndRendersNothing)
{
    Preview p;
    p.ask.Then(Says("This is First Page"));
    const std::string before = p.preview.previewText;
    mnuBack_Click(p.s, p.preview);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.print.PageToRender, 1);
    EXPECT_EQ(p.preview.previewText, before);
    EXPECT_EQ(p.preview.clears, 1);
}

TEST(PreviewNavigation, ForwardThenBackMoveOnePageAndNumberIt)
{
    Preview p;
    mnuForward_Click(p.s, p.preview);
    EXPECT_EQ(p.s.print.PageToRender, 2);
    EXPECT_EQ(p.s.print.PrintedPageNumber, 2);
    EXPECT_NE(p.preview.TextAt(0, p.W() - 25, p.H() - 59), nullptr);
    EXPECT_EQ(p.preview.TextAt(0, p.W() - 25, p.H() - 59)->text, "Pages :  2  OF  3 ");
    EXPECT_EQ(p.preview.previewText.substr(0, 14), "     22+00.000");
    mnuBack_Click(p.s, p.preview);
    EXPECT_EQ(p.s.print.PageToRender, 1);
    EXPECT_EQ(p.preview.previewText.substr(0, 14), "     00+00.000");
}

TEST(PreviewNavigation, ForwardOnLastPageSaysSoAndBeyondDoesNothing)
{
    Preview p;
    mnuForward_Click(p.s, p.preview);
    mnuForward_Click(p.s, p.preview);
    ASSERT_EQ(p.s.print.PageToRender, 3);
    p.ask.Then(Says("This is last page"));
    const int clears = p.preview.clears;
    mnuForward_Click(p.s, p.preview);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.print.PageToRender, 3);
    EXPECT_EQ(p.preview.clears, clears);

    p.s.print.PageToRender = 5;  // after printing a range past the count
    mnuForward_Click(p.s, p.preview);
    EXPECT_EQ(p.s.print.PageToRender, 5);
    EXPECT_EQ(p.ask.shown.size(), 1u);
}

TEST(PreviewNavigation, OnePageReportSaysLastPageAtOnce)
{
    PrintFixture f;
    f.UseLines(NumberedReport(43));
    RecordingSurface preview(96, 63, true), printer;
    OpenReportPreview(f.s, preview, printer);
    f.ask.Then(Says("This is last page"));
    mnuForward_Click(f.s, preview);
    EXPECT_TRUE(f.ask.sawAll());
}

TEST(PreviewWindow, ClosingResetsTheGrandTotals)
{
    Preview p;
    p.s.report.UnadjustedExcavation = 10;
    p.s.report.AdjustedExcavation = 11;
    p.s.report.UnadjustedFill = 12;
    p.s.report.AdjustedFill = 13;
    frmPreview_Closed(p.s);
    EXPECT_EQ(p.s.report.UnadjustedExcavation + p.s.report.AdjustedExcavation + p.s.report.UnadjustedFill +
                  p.s.report.AdjustedFill,
              0);
}

TEST(PrintAllCommand, PrintsClosesThePreviewAndNamesTheDevice)
{
    Preview p;
    p.ask.Then(Says("Sent to the printer Recorder"));
    mnuPrintAll_Click(p.s, p.preview, p.printer);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.printer.pages.size(), 3u);
    EXPECT_EQ(p.printer.documentsEnded, 1);
    EXPECT_EQ(p.preview.closeCalls, 1);
}

TEST(PrintAllCommand, MissingReportEndsTheCommandWithTheErrorOnly)
{
    Preview p;
    std::filesystem::remove(p.ReportPath());
    p.ask.Then(Says(""));
    mnuPrintAll_Click(p.s, p.preview, p.printer);
    ASSERT_EQ(p.ask.shown.size(), 1u);
    EXPECT_NE(p.ask.shown[0].find(" occured in mnuRptPrint_click"), std::string::npos);
    EXPECT_EQ(p.preview.closeCalls, 0);
}

// ---------------------------------------------------------------- page range

TEST(PrintSelectForm, ToPageAboveTheCountIsLowered)
{
    PrintFixture f;
    f.s.report.TotalPages = 3;
    PrintSelectForm form;
    form.FromPage = "2";
    form.ToPage = "40";
    cmdDone_Click(f.s, form);
    EXPECT_TRUE(form.Closed);
    EXPECT_EQ(form.ToPage, "3");
    EXPECT_EQ(f.s.print.PrintFromPage, 2);
    EXPECT_EQ(f.s.print.PrintToPage, 3);
}

TEST(PrintSelectForm, NegativeFromPageBecomesOneAndFractionsRound)
{
    PrintFixture f;
    f.s.report.TotalPages = 9;
    PrintSelectForm form;
    form.FromPage = "-4";
    form.ToPage = "2.5";
    cmdDone_Click(f.s, form);
    EXPECT_EQ(form.FromPage, "1");
    EXPECT_EQ(f.s.print.PrintFromPage, 1);
    EXPECT_EQ(f.s.print.PrintToPage, 2);  // halves to even
}

TEST(PrintSelectForm, EmptyOrNonNumericFieldKeepsTheDialogOpenAndTheRange)
{
    PrintFixture f;
    f.s.report.TotalPages = 3;
    f.s.print.PrintFromPage = 2;
    f.s.print.PrintToPage = 3;
    for (const std::string bad : {"", "1B", "+", "99999"}) {
        f.ask.Then(Says(""));
        PrintSelectForm form;
        form.FromPage = bad;
        form.ToPage = "1";
        cmdDone_Click(f.s, form);
        EXPECT_FALSE(form.Closed) << bad;
        EXPECT_EQ(f.s.print.PrintFromPage, 2) << bad;
        EXPECT_EQ(f.s.print.PrintToPage, 3) << bad;
    }
    EXPECT_EQ(f.ask.shown.size(), 4u);
    EXPECT_NE(f.ask.shown[0].find(" occured in cmdDone_Click"), std::string::npos);
}

TEST(PrintSelected, CancelPrintsNothingButEndsTheDocumentAndShowsTheMessage)
{
    Preview p;
    p.ask.Then(Says("Sent to the printer Recorder"));
    TypedRange dialog("", "", true);
    mnuPrintSelected_Click(p.s, p.printer, dialog);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.print.PrintFromPage, 0);
    EXPECT_EQ(p.s.print.PrintToPage, 0);
    EXPECT_TRUE(p.printer.pages[0].Empty());
    EXPECT_EQ(p.printer.documentsEnded, 1);
    EXPECT_EQ(dialog.totalShown, "3");
}

TEST(PrintSelected, RangeFromPageTwoPrintsTwoPagesAndLeavesPageToRenderOnTheLast)
{
    Preview p;
    TypedRange dialog("2", "9");
    p.ask.Then(Says("Sent to the printer Recorder"));  // and no failure message for the summary's rule lines
    mnuPrintSelected_Click(p.s, p.printer, dialog);
    EXPECT_EQ(p.printer.pages.size(), 2u) << "no blank sheet ahead of page 2";
    EXPECT_EQ(p.s.print.PageToRender, 3);
    EXPECT_EQ(p.printer.documentsEnded, 1);
    EXPECT_EQ(p.ask.shown, std::vector<std::string>{"Sent to the printer Recorder"});
    const auto* row = p.printer.TextAt(0, p.W() - 95, p.H() - 51);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text.substr(0, 20), "22+00.000      28.50") << "re-columned station row";
}

TEST(PrintSelected, RangeWithoutAPageOfTheReportSaysThereIsNothingToPrint)
{
    const struct { const char *from, *to; } ranges[] = {{"3", "2"}, {"4", "3"}, {"5", "9"}};
    for (const auto& r : ranges) {
        Preview p;
        TypedRange dialog(r.from, r.to);
        p.ask.Then(Says("There is nothing to print: the report has 3 pages and the range selected holds none of them."));
        mnuPrintSelected_Click(p.s, p.printer, dialog);
        EXPECT_TRUE(p.ask.sawAll()) << r.from << ".." << r.to;
        EXPECT_TRUE(p.printer.pages[0].Empty());
        EXPECT_EQ(p.s.print.PageToRender, 1);
    }
}

} // namespace
} // namespace mardex::test
