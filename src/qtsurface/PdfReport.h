#pragma once
// Report pages into a PDF file: what the command-line tool's --pdf writes
// and where the pages go when no printer is installed.
#include "render/PageRenderer.h"

#include <string>

class QPageSize;
class QPdfWriter;

namespace mardex {

class Session;

// The paper of a report: Letter for English documents, A4 for metric ones.
QPageSize ReportPaper(int unitSystem);

// The page a PDF stands in for paper with: the report's paper; a printable
// width of 8 inches (96 columns) from 0.2 inch on the left, 0.25 inch at
// top and bottom.
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
