#include "PrinterTarget.h"

#include "qtsurface/PdfReport.h"
#include "qtsurface/PdfFileSurface.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <filesystem>

namespace mardex {

bool PrinterTarget::PrinterInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

PrinterTarget::PrinterTarget(const std::string& reportPath)
{
    if (PrinterInstalled()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) info = QPrinterInfo::availablePrinters().first();
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setDocName("Earthwork calculation report");
        surface_ = std::make_unique<QPainterSurface>(*printer_, printer_.get(), printer_->printerName().toStdString());
    } else {
        // The message names the whole path: a report folder left empty puts
        // the PDF in the current folder, which the user does not see.
        std::error_code ec;
        std::filesystem::path full = std::filesystem::absolute(PdfBesideReport(reportPath), ec);
        const std::string pdfPath = ec ? PdfBesideReport(reportPath) : full.lexically_normal().string();
        auto pdf = std::make_unique<PdfFileSurface>(pdfPath);
        pdf_ = &pdf->Writer();
        surface_ = std::move(pdf);
    }
}

PrinterTarget::~PrinterTarget()
{
    surface_.reset();  // ends the document before its device goes
}

ReportSurface& PrinterTarget::Surface() { return *surface_; }

QSizeF PrinterTarget::PageInches() const
{
    const QPageLayout layout = printer_ ? printer_->pageLayout() : pdf_->pageLayout();
    return layout.fullRect(QPageLayout::Inch).size();
}

QSizeF PrinterTarget::PrintableInches() const
{
    const QPageLayout layout = printer_ ? printer_->pageLayout() : pdf_->pageLayout();
    return layout.paintRect(QPageLayout::Inch).size();
}

} // namespace mardex
