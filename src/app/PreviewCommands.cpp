#include "app/PreviewCommands.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/PageRendering.h"
#include "app/ReportCommands.h"
#include "render/ReportSurface.h"
#include "text/NumberText.h"
#include "text/CountText.h"

#include <cmath>

namespace mardex {

namespace {

const std::string SystemError = " System Error: ";

// The preview shows the window's report, named after the open document.
std::string PreviewedReport(const Session& s)
{
    return ReportFileName(s, WindowReport);
}

void SentToPrinter(Session& s, ReportSurface& printer)
{
    s.ask.Message("Sent to the printer " + printer.DeviceName());
}

double NumberIn(const std::string& field)
{
    const auto value = ParseNumber(field);
    if (!value) throw RuntimeFault("Type mismatch");
    return *value;
}

// A text as a 16-bit integer: rounded, halves to even; out of range is an overflow.
int16_t AsInteger16(const std::string& field)
{
    const double v = nearest(NumberIn(field));
    if (v < -32768 || v > 32767) throw RuntimeFault("Overflow");
    return static_cast<int16_t>(v);
}

} // namespace

void OpenReportPreview(Session& s, ReportSurface& preview, ReportSurface& printer)
{
    PreparePrinter(s, printer);
    s.print.PageToRender = 1;
    RenderPage(s, preview, PreviewedReport(s));
}

void mnuBack_Click(Session& s, ReportSurface& preview)
{
    Guarded(s.ask, SystemError, " occured in mnuBack_Click", [&] {
        if (s.print.PageToRender == 1) {
            s.ask.Message("This is First Page");
            return;
        }
        --s.print.PageToRender;
        s.print.PrintedPageNumber = s.print.PageToRender;
        RenderPage(s, preview, PreviewedReport(s));
    });
}

void mnuForward_Click(Session& s, ReportSurface& preview)
{
    Guarded(s.ask, SystemError, " occured in mnuForward_Click", [&] {
        if (s.print.PageToRender == s.report.TotalPages) {
            s.ask.Message("This is last page");
        } else if (s.print.PageToRender < s.report.TotalPages) {
            ++s.print.PageToRender;
            s.print.PrintedPageNumber = s.print.PageToRender;
            RenderPage(s, preview, PreviewedReport(s));
        }
    });
}

void frmPreview_Closed(Session& s)
{
    s.report.ResetGrandTotals();
}

void mnuPrintAll_Click(Session& s, ReportSurface& preview, ReportSurface& printer)
{
    if (!PrintAllPages(s, printer, PreviewedReport(s))) return;  // the error box ended the command
    preview.CloseWindow();
    SentToPrinter(s, printer);
}

void frmPrintSelect_Load(Session& s, PrintSelectForm& form)
{
    form.TotalPage = std::to_string(s.report.TotalPages);
    form.Closed = false;
}

void cmdDone_Click(Session& s, PrintSelectForm& form)
{
    Guarded(s.ask, SystemError, " occured in cmdDone_Click", [&] {
        if (std::trunc(NumberIn(form.FromPage)) < 0) form.FromPage = "1";
        if (std::trunc(NumberIn(form.ToPage)) > s.report.TotalPages) form.ToPage = std::to_string(s.report.TotalPages);
        const int16_t from = AsInteger16(form.FromPage);
        const int16_t to = AsInteger16(form.ToPage);
        s.print.PrintFromPage = from;
        s.print.PrintToPage = to;
        form.Closed = true;
    });
}

void cmdCancel_Click(Session& s, PrintSelectForm& form)
{
    s.print.PrintFromPage = 0;
    s.print.PrintToPage = 0;
    form.Closed = true;
}

void mnuPrintSelected_Click(Session& s, ReportSurface& printer, PageRangeDialog& dialog)
{
    bool nothingToPrint = false;
    Guarded(s.ask, SystemError, " occured in mnuRptPrint_click", [&] {
        dialog.ShowModal(s);
        const int from = s.print.PrintFromPage, to = s.print.PrintToPage;
        const bool cancelled = from == 0 && to == 0;
        // A range without a page of the report prints nothing: saying it was
        // sent to the printer would report a success that did not happen.
        nothingToPrint = !cancelled && (from > to || from > s.report.TotalPages || to < 1);
        if (nothingToPrint) return;
        for (int i = from; i <= to; ++i) {
            s.print.PageToRender = static_cast<int16_t>(i);
            RenderPage(s, printer, PreviewedReport(s));
        }
    });
    if (!Guarded(s.ask, SystemError, " occured in mnuRptPrint_click", [&] { printer.EndDoc(); })) return;
    if (nothingToPrint)
        s.ask.Message("There is nothing to print: the report has " + CountOf(s.report.TotalPages, "page") +
                      " and the range selected holds none of them.");
    else
        SentToPrinter(s, printer);
}

} // namespace mardex
