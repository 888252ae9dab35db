#pragma once
// Drawing the pages of the report file onto a ReportSurface: the running
// header, the banners, the ruled table header and the report lines.
#include "formats/ReportPaging.h"

#include <string>

namespace mardex {

class Session;
class ReportSurface;


// Character cells, transparent fill, "courier"; W and H from the printable area.
void PreparePrinter(Session& s, ReportSurface& printer);

void PutText(ReportSurface& surface, int x, int y, const std::string& text);
void WriteFileBanner(Session& s, ReportSurface& surface);
void WriteShortBanner(Session& s, ReportSurface& surface);
void WriteHeader(Session& s, ReportSurface& surface);
void WriteTables(Session& s, ReportSurface& surface, int top);

// Re-columns one report line for printing selected pages.
std::string ReformatToPrint(const std::string& line);

// Renders page s.print.PageToRender of the report file at `reportPath`.
// Known as PrintOneByOne.
void RenderPage(Session& s, ReportSurface& surface, const std::string& reportPath);

// Print All: every page of the report file at `reportPath` in one pass, then
// the end of the document. True when the report file could be read.
bool PrintAllPages(Session& s, ReportSurface& printer, const std::string& reportPath);

// "Pages :  3  OF  7 ": each number with its sign position and a blank after.
std::string PagesText(long page, long total);

// The pages the renderer draws from a report file: lines without "#",
// 44 on page 1 and 51 on each later page (at least 1). -1 if unreadable.
long CountDrawnPages(const std::string& reportPath);

} // namespace mardex
