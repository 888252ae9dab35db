#pragma once
// Drawing the pages of the report file onto a ReportSurface: the running
// header, the banners, the ruled table header and the report lines.
#include "compute/SheetComputation.h"
#include "formats/ReportPaging.h"
#include "render/PrintState.h"

#include <string>

namespace mardex {

class ReportSurface;

// What the page furniture shows besides the report lines.
struct PageHeading {
    // The description fields: designer, project no., control no.
    std::string designer, projectNo, controlNo;
    std::string tabCaption;          // the current tab's caption ("BASELINE: ..." for a log)
    std::string baselineText = " ";  // "BaseLine Name: X" for a log, a blank otherwise
    bool metric = false;             // units of the table header
    ReportMode mode = ReportMode::Total;
    long totalPages = 0;             // the "OF" of the running header
};

// The heading's baseline line: "BaseLine Name: " + name in log mode.
std::string BaselineText(bool logMode, const std::string& baselineName);

// Where the renderer's failures are told; the window shows them in a box.
class RenderMessages {
public:
    virtual ~RenderMessages() = default;
    virtual void Message(const std::string& text) = 0;
};

class PageRenderer {
public:
    PageRenderer(const PageHeading& heading, PrintState& print, RenderMessages& messages)
        : heading_(heading), print_(print), messages_(messages) {}

    // Character cells, transparent fill, "courier"; W and H from the printable area.
    void PreparePrinter(ReportSurface& printer);
    void WriteFileBanner(ReportSurface& surface);
    void WriteShortBanner(ReportSurface& surface);
    void WriteHeader(ReportSurface& surface);
    void WriteTables(ReportSurface& surface, int top);

    // Renders page print.PageToRender of the report file at `reportPath`.
    // Known as PrintOneByOne.
    void RenderPage(ReportSurface& surface, const std::string& reportPath);

    // Print All: every page of the report file at `reportPath` in one pass,
    // then the end of the document. True when the report file could be read.
    bool PrintAllPages(ReportSurface& printer, const std::string& reportPath);

private:
    template <class F> bool Guarded(const std::string& place, F&& f);
    void BannerTitles(ReportSurface& out);
    void FirstPageSetUp(ReportSurface& out);
    void HorizontalRule(ReportSurface& out, int row);
    void VerticalRule(ReportSurface& out, int column, int row, int height);
    int W() const { return print_.PageWidthCells; }
    int H() const { return print_.PageHeightCells; }

    const PageHeading& heading_;
    PrintState& print_;
    RenderMessages& messages_;
};

void PutText(ReportSurface& surface, int x, int y, const std::string& text);

// Re-columns one report line for printing selected pages.
std::string ReformatToPrint(const std::string& line);

// "Pages :  3  OF  7 ": each number with its sign position and a blank after.
std::string PagesText(long page, long total);

// The pages the renderer draws from a report file: lines without "#",
// 44 on page 1 and 51 on each later page (at least 1). -1 if unreadable.
long CountDrawnPages(const std::string& reportPath);

} // namespace mardex
