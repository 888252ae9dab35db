#include "qtsurface/PdfReport.h"

#include "app/Session.h"
#include "app/PageRendering.h"
#include "qtsurface/PdfFileSurface.h"
#include "qtsurface/QPainterSurface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace mardex {

QPageSize ReportPaper(int unitSystem) { return QPageSize(unitSystem == 1 ? QPageSize::A4 : QPageSize::Letter); }

void SetUpPdfPage(QPdfWriter& writer, int unitSystem)
{
    const QPageSize size = ReportPaper(unitSystem);
    const double width = size.size(QPageSize::Inch).width();
    const double left = 0.2, printable = 8.0;
    const double right = std::max(0.0, width - left - printable);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(left, 0.25, right, 0.25), QPageLayout::Inch));
    writer.setCreator("Mardex");
    writer.setTitle("Earthwork calculation report");
}

bool RenderReportToPdf(Session& s, const std::string& reportPath, const std::string& pdfPath, int* pagesWritten)
{
    PdfFileSurface surface(pdfPath, s.doc.UnitSystem, s.writer->failAfterBytes);
    const bool printed = PrintAllPages(s, surface, reportPath);
    if (pagesWritten) *pagesWritten = surface.PagesStarted();
    return printed;
}

bool RenderReportToPdf(const PageHeading& heading, PrintState& print, RenderMessages& messages,
                       const std::string& reportPath, const std::string& pdfPath, long long failAfterBytes,
                       int* pagesWritten)
{
    PdfFileSurface surface(pdfPath, heading.metric ? 1 : 0, failAfterBytes);
    const bool printed = PageRenderer(heading, print, messages).PrintAllPages(surface, reportPath);
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
