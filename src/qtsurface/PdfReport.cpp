#include "qtsurface/PdfReport.h"

#include "app/Session.h"
#include "app/PageRendering.h"
#include "qtsurface/PdfFileSurface.h"
#include "qtsurface/QPainterSurface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPagedPaintDevice>

#include <algorithm>

namespace mardex {

QPageSize ReportPaper(int unitSystem) { return QPageSize(unitSystem == 1 ? QPageSize::A4 : QPageSize::Letter); }

void SetUpReportPage(QPagedPaintDevice& device, int unitSystem)
{
    QPageLayout current = device.pageLayout();
    current.setUnits(QPageLayout::Inch);
    const QMarginsF least = current.minimumMargins();
    const auto margin = [](double deviceLeast) { return std::max(0.25, deviceLeast); };
    device.setPageLayout(QPageLayout(ReportPaper(unitSystem), QPageLayout::Portrait,
                                     QMarginsF(margin(least.left()), margin(least.top()), margin(least.right()), margin(least.bottom())),
                                     QPageLayout::Inch));
}

void SetUpPdfPage(QPdfWriter& writer, int unitSystem)
{
    writer.setResolution(1200);
    SetUpReportPage(writer, unitSystem);
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
