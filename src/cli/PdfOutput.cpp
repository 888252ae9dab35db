#include "cli/PdfOutput.h"

#include "cli/CliPrompter.h"
#include "cli/ToolSession.h"

#ifdef MARDEX_WITH_PDF
#include "cli/HeadlessQt.h"
#include "qtsurface/PdfReport.h"
#include "qtsurface/QPainterSurface.h"

#include <QPrinter>
#include <QPrinterInfo>
#endif

namespace mardex::cli {

#ifdef MARDEX_WITH_PDF

namespace {

// The renderer's failures on stderr, as the tool shows every message box.
class PrintedMessages : public RenderMessages {
public:
    void Message(const std::string& text) override { CliPrompter::Print(text); }
};

} // namespace

int WriteReportPdf(const PageHeading& heading, const std::string& reportPath, const std::string& pdfPath)
{
    bool written = false;
    {
        HeadlessQt qt;
        PrintState print;
        PrintedMessages messages;
        written = RenderReportToPdf(heading, print, messages, reportPath, pdfPath);
    }
    if (!written) {
        CliPrompter::Print(pdfPath + ": the PDF was not written");
        return 1;
    }
    return 0;
}

int PrintReport(const PageHeading& heading, const std::string& reportPath, const std::string& printerName)
{
    HeadlessQt qt;
    QPrinterInfo info;
    if (!printerName.empty()) {
        info = QPrinterInfo::printerInfo(QString::fromLocal8Bit(printerName.c_str()));
        if (info.isNull()) {
            CliPrompter::Print("no printer named " + printerName);
            return 1;
        }
    } else {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty()) info = QPrinterInfo::availablePrinters().first();
        if (info.isNull()) {
            CliPrompter::Print("no printer is installed (--pdf FILE writes the pages into a PDF file)");
            return 1;
        }
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName("Earthwork calculation report");
    SetUpReportPage(printer, heading.metric ? 1 : 0);
    bool printed = false;
    {
        QPainterSurface surface(printer, &printer, printer.printerName().toStdString());
        surface.FitPageWidth(ReportPageInches);
        PrintState print;
        PrintedMessages messages;
        printed = PageRenderer(heading, print, messages).PrintAllPages(surface, reportPath);
    }
    if (!printed) return 1;  // the error message has been shown
    CliPrompter::Print("Sent to the printer " + printer.printerName().toStdString());
    return 0;
}

#else

int WriteReportPdf(const PageHeading&, const std::string&, const std::string& pdfPath)
{
    CliPrompter::Print(pdfPath + ": this build of mardex-report cannot write PDF files (built without Qt)");
    return 1;
}

int PrintReport(const PageHeading&, const std::string&, const std::string&)
{
    CliPrompter::Print("this build of mardex-report cannot print (built without Qt)");
    return 1;
}

#endif

int RenderRequestedOutputs(const ToolOptions& options, const PageHeading& heading, const std::string& reportPath)
{
    if (!options.pdf.empty() && WriteReportPdf(heading, reportPath, AbsolutePath(options.pdf)) != 0) return 1;
    if (options.print && PrintReport(heading, reportPath, options.printer) != 0) return 1;
    return 0;
}

} // namespace mardex::cli
