#include "qtsurface/PdfReport.h"

#include "app/Session.h"
#include "app/PageRendering.h"
#include "qtsurface/QPainterSurface.h"

#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace mardex {

void SetUpPdfPage(QPdfWriter& writer)
{
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize size(inches ? QPageSize::Letter : QPageSize::A4);
    const double width = size.size(QPageSize::Inch).width();
    const double left = 0.2, printable = 8.0;
    const double right = std::max(0.0, width - left - printable);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(left, 0.25, right, 0.25), QPageLayout::Inch));
    writer.setCreator("Mardex");
    writer.setTitle("Earthwork calculation report");
}

bool RenderReportToPdf(Session& s, const std::string& pdfPath, int* pagesWritten)
{
    QPdfWriter writer(QString::fromLocal8Bit(pdfPath.c_str()));
    SetUpPdfPage(writer);
    QPainterSurface surface(writer, &writer, pdfPath);
    const bool printed = PrintAllPages(s, surface);
    if (pagesWritten) *pagesWritten = surface.PagesStarted();
    return printed;
}

std::string PdfBesideReport(const std::string& reportPath)
{
    const auto slash = reportPath.find_last_of("/\\");
    const auto dot = reportPath.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return reportPath.substr(0, dot) + ".pdf";
    return reportPath + ".pdf";
}

} // namespace mardex
