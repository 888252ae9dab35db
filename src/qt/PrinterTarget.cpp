#include "PrinterTarget.h"

#include "qtsurface/PdfReport.h"
#include "qtsurface/PdfFileSurface.h"

#include <QPushButton>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include <algorithm>
#include <filesystem>

namespace mardex {

int ExecKeepingPaper(QPrintDialog& dialog, QPrinter& printer)
{
    const QPageLayout before = printer.pageLayout();
    // Only the printer's properties let the user choose the paper.
    bool propertiesOpened = false;
    if (auto* properties = dialog.findChild<QPushButton*>("properties"))
        QObject::connect(properties, &QPushButton::clicked, &dialog, [&propertiesOpened] { propertiesOpened = true; });
    const int result = dialog.exec();
    if (result == QDialog::Accepted && !propertiesOpened && !printer.setPageLayout(before))
        printer.setPageSize(before.pageSize());
    return result;
}

bool PrinterTarget::PrinterInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

PrinterTarget::PrinterTarget(const std::string& reportPath, int unitSystem)
{
    if (PrinterInstalled()) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) info = QPrinterInfo::availablePrinters().first();
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer_->setDocName("Earthwork calculation report");
        // The report's paper, proposed by the print dialog too; the user's
        // choice there is kept and the page fits it.
        SetUpReportPage(*printer_, unitSystem);
        auto surface = std::make_unique<QPainterSurface>(*printer_, printer_.get(), printer_->printerName().toStdString());
        surface->FitPageWidth(ReportPageInches);
        surface_ = std::move(surface);
    } else {
        // The message names the whole path: a report folder left empty puts
        // the PDF in the current folder, which the user does not see.
        std::error_code ec;
        std::filesystem::path full = std::filesystem::absolute(PdfBesideReport(reportPath), ec);
        const std::string pdfPath = ec ? PdfBesideReport(reportPath) : full.lexically_normal().string();
        auto pdf = std::make_unique<PdfFileSurface>(pdfPath, unitSystem);
        pdf_ = &pdf->Writer();
        surface_ = std::move(pdf);
    }
}

PrinterTarget::~PrinterTarget()
{
    surface_.reset();  // ends the document before its device goes
}

bool PrinterTarget::Choose(QWidget* parent, int& from, int& to, int totalPages)
{
    if (!printer_) return true;
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setMinMax(1, std::max(1, totalPages));
    if (from > 0 && to > 0) {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setFromTo(from, to);
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    } else {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    }
    if (ExecKeepingPaper(dialog, *printer_) != QDialog::Accepted) return false;
    surface_->SetDeviceName(printer_->printerName().toStdString());
    if (from > 0 && to > 0) {
        if (dialog.printRange() == QAbstractPrintDialog::AllPages) {
            from = 1;
            to = totalPages;
        } else {
            from = printer_->fromPage();
            to = printer_->toPage();
        }
    }
    return true;
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
