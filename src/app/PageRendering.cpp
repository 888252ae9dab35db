#include "app/PageRendering.h"

#include "app/Session.h"
#include "app/TabStrip.h"

namespace mardex {

namespace {

// The renderer's failures in the program-wide error box.
class BoxedMessages : public RenderMessages {
public:
    explicit BoxedMessages(Prompter& ask) : ask_(ask) {}
    void Message(const std::string& text) override { ask_.Message(text); }

private:
    Prompter& ask_;
};

// Runs one step of the renderer with the session's heading and print state.
template <class F>
auto WithRenderer(Session& s, F&& f)
{
    const PageHeading heading = PageHeadingOf(s);
    BoxedMessages messages(s.ask);
    PageRenderer renderer(heading, s.print, messages);
    return f(renderer);
}

} // namespace

PageHeading PageHeadingOf(const Session& s)
{
    PageHeading h;
    h.designer = s.doc.DescriptionFields[0];
    h.projectNo = s.doc.DescriptionFields[1];
    h.controlNo = s.doc.DescriptionFields[2];
    h.tabCaption = CaptionOfTab(s, s.doc.CurrentSheet, s.store[s.doc.CurrentSheet].TabName);
    h.baselineText = BaselineText(s.doc.LogMode, s.doc.BaselineName);
    h.metric = s.doc.UnitSystem == 1;
    h.mode = s.report.AccumulatedMode;
    h.totalPages = s.report.TotalPages;
    return h;
}

void PreparePrinter(Session& s, ReportSurface& printer)
{
    WithRenderer(s, [&](PageRenderer& r) { r.PreparePrinter(printer); });
}

void WriteFileBanner(Session& s, ReportSurface& surface)
{
    WithRenderer(s, [&](PageRenderer& r) { r.WriteFileBanner(surface); });
}

void WriteShortBanner(Session& s, ReportSurface& surface)
{
    WithRenderer(s, [&](PageRenderer& r) { r.WriteShortBanner(surface); });
}

void WriteHeader(Session& s, ReportSurface& surface)
{
    WithRenderer(s, [&](PageRenderer& r) { r.WriteHeader(surface); });
}

void WriteTables(Session& s, ReportSurface& surface, int top)
{
    WithRenderer(s, [&](PageRenderer& r) { r.WriteTables(surface, top); });
}

void RenderPage(Session& s, ReportSurface& surface, const std::string& reportPath)
{
    WithRenderer(s, [&](PageRenderer& r) { r.RenderPage(surface, reportPath); });
}

bool PrintAllPages(Session& s, ReportSurface& printer, const std::string& reportPath)
{
    return WithRenderer(s, [&](PageRenderer& r) { return r.PrintAllPages(printer, reportPath); });
}

} // namespace mardex
