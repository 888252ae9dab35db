#pragma once
// Report pages into a PDF file: what the command-line tool's --pdf writes
// and where the pages go when no printer is installed.
#include "render/PageRenderer.h"

#include <string>

class QPageSize;
class QPagedPaintDevice;
class QPdfWriter;

namespace mardex {

class Session;

// The paper of a report: Letter for English documents, A4 for metric ones.
QPageSize ReportPaper(int unitSystem);

// The width the report's page is drawn on: 96 columns of a twelfth of an
// inch. A printable area that is narrower (A4, or a printer's own margins)
// takes the page scaled down to fit (QPainterSurface::FitPageWidth).
constexpr double ReportPageInches = 8.0;

// A printer's or a PDF's page for a report: the report's paper, portrait, at
// least 0.25 inch from every edge (more where the device cannot print closer).
void SetUpReportPage(QPagedPaintDevice& device, int unitSystem);

// The page a PDF stands in for paper with: SetUpReportPage, the resolution
// and the document's title.
void SetUpPdfPage(QPdfWriter& writer, int unitSystem);

// Renders every page of the report file at `reportPath` as Print All does
// into pdfPath, with W and H taken from that page. False, after the error
// message, when the report cannot be read or the PDF not written.
// `pagesWritten` (optional) receives the number of pages in the file.
bool RenderReportToPdf(Session& s, const std::string& reportPath, const std::string& pdfPath,
                       int* pagesWritten = nullptr);
// The same with the heading and paging state given; failures go to `messages`.
bool RenderReportToPdf(const PageHeading& heading, PrintState& print, RenderMessages& messages,
                       const std::string& reportPath, const std::string& pdfPath,
                       long long failAfterBytes = -1, int* pagesWritten = nullptr);

// The PDF beside a report file: its name with ".pdf" for ".rpt".
std::string PdfBesideReport(const std::string& reportPath);

} // namespace mardex
