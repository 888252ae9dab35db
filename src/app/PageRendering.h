#pragma once
// The page renderer's handlers as the preview and print commands call them:
// the heading comes from the session, failures are shown in a message box.
#include "render/PageRenderer.h"

#include <string>

namespace mardex {

class Session;
class ReportSurface;

// The description fields, the current tab's caption, the baseline, the
// units, the report mode and the page total as the session has them now.
PageHeading PageHeadingOf(const Session& s);

void PreparePrinter(Session& s, ReportSurface& printer);
void WriteFileBanner(Session& s, ReportSurface& surface);
void WriteShortBanner(Session& s, ReportSurface& surface);
void WriteHeader(Session& s, ReportSurface& surface);
void WriteTables(Session& s, ReportSurface& surface, int top);

// Renders page s.print.PageToRender of the report file at `reportPath`.
// Known as PrintOneByOne.
void RenderPage(Session& s, ReportSurface& surface, const std::string& reportPath);

// Print All: every page of the report file at `reportPath` in one pass, then
// the end of the document. True when the report file could be read.
bool PrintAllPages(Session& s, ReportSurface& printer, const std::string& reportPath);

} // namespace mardex
