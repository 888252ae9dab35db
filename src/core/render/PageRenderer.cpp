#include "render/PageRenderer.h"

#include "render/GeneralDate.h"
#include "render/ReportSurface.h"
#include "text/LineReader.h"
#include "text/NumberText.h"
#include "text/RuntimeFault.h"

#include <cmath>
#include <exception>
#include <fstream>
#include <iterator>

namespace mardex {

namespace {

const std::string SystemError = " System Error: ";

void PrintAt(ReportSurface& out, int x, int y, const std::string& text)
{
    out.SetPosition(x, y);
    out.PrintText(text);
}

// A header text cut so that it ends a character before the next text on its
// line: `cells` columns (a twelfth of an inch each) in Courier of `points`
// size, whose characters are 0.6 of the size wide. The report file keeps the
// whole text; only the page cuts it, so a long designer never overprints the
// date or the sheet's name.
std::string FitText(const std::string& text, int cells, double points)
{
    const auto fits = static_cast<std::size_t>(cells * 6.0 / (0.6 * points)) - 1;
    return text.size() <= fits ? text : text.substr(0, fits);
}

std::string NumberField(long n)
{
    return (n < 0 ? "-" : " ") + std::to_string(n < 0 ? -n : n) + " ";
}

// The report file, line by line, without the line ends; lines end as the
// page count reads them.
class ReportReader {
public:
    explicit ReportReader(const std::string& path) : in_(path, std::ios::binary), lines_(in_)
    {
        if (!in_) throw RuntimeFault("File not found: " + path);
    }
    bool Next(std::string& line) { return lines_.Next(line); }

private:
    std::ifstream in_;
    LineReader lines_;
};

bool Drawn(const std::string& line) { return line.find('#') == std::string::npos; }

void StartPreviewPage(ReportSurface& out)
{
    out.Clear();
    out.SetPreviewTextReadOnly(false);
    out.SetPreviewText("");
}

} // namespace

// Rules run from column W - 95 by the offset (W - 4, 0): their right end is
// at 2W - 99, as the printed layout has always had it.
void PageRenderer::HorizontalRule(ReportSurface& out, int row)
{
    out.DrawLine(W() - 95, H() - row, W() - 4, 0);
}

void PageRenderer::VerticalRule(ReportSurface& out, int column, int row, int height)
{
    out.DrawLine(W() - column, H() - row, 0, height);
}

// Runs f; on a failure tells the program-wide error message
// (" System Error: " + description + place) and returns false.
template <class F>
bool PageRenderer::Guarded(const std::string& place, F&& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        messages_.Message(SystemError + e.what() + place);
        return false;
    }
}

// The title box shared by both banners (position, rules, the two titles).
void PageRenderer::BannerTitles(ReportSurface& out)
{
    out.SetPosition(W() - 95, H() - 57);
    HorizontalRule(out, 57);
    HorizontalRule(out, 53);
    VerticalRule(out, 95, 57, 4);
    VerticalRule(out, 2, 57, 4);
    out.SetFontSize(18);
    out.SetBold(true);
    PrintAt(out, W() - 76, H() - 57, "TORVALIA DEPARTMENT OF ROADS");
    PrintAt(out, W() - 73, H() - 55, "EARTHWORK CALCULATION REPORT");
}

void PageRenderer::FirstPageSetUp(ReportSurface& out)
{
    print_.PrintedPageNumber = 1;
    if (out.IsPreview()) StartPreviewPage(out);
    WriteHeader(out);
    WriteFileBanner(out);
    WriteTables(out, 48);
}

void PageRenderer::PreparePrinter(ReportSurface& printer)
{
    Guarded(" occured in PreparePrinter", [&] {
        printer.SetFontName("courier");
        print_.PageWidthCells = static_cast<int>(std::floor(printer.PrintableWidthCells()));
        print_.PageHeightCells = static_cast<int>(std::floor(printer.PrintableHeightCells()));
    });
}

void PutText(ReportSurface& surface, int x, int y, const std::string& text)
{
    PrintAt(surface, x, y, text);
}

void PageRenderer::WriteFileBanner(ReportSurface& out)
{
    Guarded(" occured in WriteFileBanner", [&] {
        BannerTitles(out);
        out.SetFontSize(12);
        out.SetBold(false);
        // The two texts on the left end where "For ..." and the baseline begin.
        PrintAt(out, W() - 90, H() - 52, FitText("DESIGNER     :" + heading_.designer, 55, 12));
        out.SetBold(true);
        PutText(out, W() - 35, H() - 52, "For " + heading_.tabCaption);
        out.SetBold(false);
        PrintAt(out, W() - 90, H() - 51, FitText("PROJECT NO   :" + heading_.projectNo, 55, 12));
        out.SetBold(true);
        PutText(out, W() - 35, H() - 51, heading_.baselineText);
        out.SetBold(false);
        PrintAt(out, W() - 90, H() - 50, "CONTROL NO   :" + heading_.controlNo);
        out.SetPosition(W() - 90, H() - 48);
        out.SetFontSize(8.28);
        out.SetPosition(W() - 93, H() - 47);
    });
}

void PageRenderer::WriteShortBanner(ReportSurface& out)
{
    Guarded(" occured in WriteShortBanner", [&] {
        BannerTitles(out);
        out.SetFontSize(10);
    });
}

std::string PagesText(long page, long total)
{
    return "Pages : " + NumberField(page) + " OF " + NumberField(total);
}

void PageRenderer::WriteHeader(ReportSurface& out)
{
    Guarded(" occured in WriteHeader", [&] {
        out.SetFontSize(8.28);
        // Each ends where the date, the page count or the baseline begins.
        PrintAt(out, W() - 86, H() - 60, FitText(heading_.designer, 61, 8.28));
        PrintAt(out, W() - 25, H() - 60, CurrentGeneralDateTime(print_));
        PrintAt(out, W() - 86, H() - 59, FitText(heading_.projectNo, 61, 8.28));
        PrintAt(out, W() - 86, H() - 58, FitText(heading_.controlNo, 61, 8.28));
        PrintAt(out, W() - 25, H() - 59, PagesText(print_.PrintedPageNumber, heading_.totalPages));
        PutText(out, W() - 25, H() - 58, heading_.baselineText);
    });
}

void PageRenderer::WriteTables(ReportSurface& out, int top)
{
    Guarded(" occured in WriteTables", [&] {
        const int t = top;
        HorizontalRule(out, t);
        HorizontalRule(out, t - 1);
        HorizontalRule(out, t - 4);
        VerticalRule(out, 95, t, 4);
        VerticalRule(out, 2, t, 4);

        out.SetBold(true);
        out.SetTransparentText(true);
        PutText(out, W() - 68, H() - t, "EXCAVATION");
        PutText(out, W() - 39, H() - t, "EMBANKMENT");

        VerticalRule(out, 85, t, 4);
        for (int column : {76, 67, 49}) VerticalRule(out, column, t - 1, 3);
        VerticalRule(out, 58, t, 4);
        for (int column : {41, 32, 23}) VerticalRule(out, column, t - 1, 3);
        VerticalRule(out, 14, t, 4);

        const bool accumulated = heading_.mode == ReportMode::Accumulated;
        struct Caption { int column; const char* line1; const char* line2; };
        const Caption captions[] = {
            {93, "STATION", ""},
            {84, "CUT", "AREA"},
            {75, "ADDED", "CUT"},
            {66, accumulated ? "ACCM." : "TOTAL", "CUT-VOL."},
            {57, "FILL", "AREA"},
            {48, "ADDED", "FILL"},
            {40, accumulated ? "ACCM." : "TOTAL", "FILL-VOL."},
            {31, "BALANCE", "FACTOR"},
            {22, accumulated ? "ACCM." : "ADJUSTED", accumulated ? "NET-VOL." : "FILL-VOL."},
            {13, accumulated ? "ACCM." : "MASS", accumulated ? "ADJ-FILL" : "ORDINATE"},
        };
        for (const Caption& c : captions) {
            PutText(out, W() - c.column, H() - t + 1, c.line1);
            if (*c.line2) PutText(out, W() - c.column, H() - t + 2, c.line2);
        }

        out.SetBold(true);
        out.SetTransparentText(true);
        const bool metric = heading_.metric;
        const std::string area = metric ? "Sq.m." : "Sq.Ft.";
        const std::string volume = metric ? "Cu.m." : "Cu.Yds.";
        const struct { int column; const std::string& unit; } units[] = {
            {84, area}, {75, volume}, {66, volume}, {57, area},
            {48, volume}, {40, volume}, {22, volume}, {13, volume},
        };
        for (const auto& u : units) PutText(out, W() - u.column, H() - t + 3, u.unit);
    });
}

namespace {

// One step of the tokenizer: the remainder up to its first blank, trimmed;
// the remainder then goes on from that blank. A remainder without a blank
// (a line with fewer fields) gives an empty token and stays as it is, to
// end the line: nothing has failed, so nothing is said.
std::string NextToken(std::string& rest)
{
    if (rest.empty()) return {};
    const auto blank = rest.find(' ');
    if (blank == std::string::npos) return {};
    std::string token = Trim(std::string_view(rest).substr(0, blank));
    rest = Trim(std::string_view(rest).substr(blank));
    return token;
}

std::string Field8(const std::string& text) { return RightAlign(text, 8); }

} // namespace

std::string ReformatToPrint(const std::string& line)
{
    std::string t0, rest;
    const auto blank = line.find(' ');
    if (blank != std::string::npos) {
        t0 = line.substr(0, blank + 1);
        rest = Trim(std::string_view(line).substr(blank));
    }
    const std::string t1 = NextToken(rest);

    if (ReadsAsNumber(t1)) {
        std::string tokens[10] = {t0, t1};
        for (int i = 2; i <= 8; ++i) tokens[i] = NextToken(rest);
        tokens[9] = Trim(rest);
        std::string out;
        for (int i = 0; i <= 8; ++i) out += Field8(tokens[i]) + (i < 8 ? "  " : "    ");
        return out + Field8(tokens[9]);
    }
    if (t1 == "Bal.") {
        std::string tokens[6] = {t0, t1};
        for (int i = 2; i <= 4; ++i) tokens[i] = NextToken(rest);
        tokens[5] = Trim(rest);
        std::string out;
        for (int i = 0; i <= 3; ++i) out += Field8(tokens[i]) + "  ";
        for (int i = 0; i < 4; ++i) out += std::string(8, ' ') + "  ";
        return out + Field8(tokens[4]) + "    " + Field8(tokens[5]);
    }
    return line;
}

void PageRenderer::RenderPage(ReportSurface& out, const std::string& reportPath)
{
    Guarded(" occured in PrintOneByOne", [&] {
        const int k = print_.PageToRender;
        const bool preview = out.IsPreview();
        ReportReader in(reportPath);

        // Pages start after a whole number of drawn lines, so a "#" line in
        // the middle of the file never shifts a page onto lines already shown.
        long before = k >= 2 ? FirstPageLines + static_cast<long>(LaterPageLines) * (k - 2) : 0;
        bool started = false;
        int budget = 0;
        auto startPage = [&] {
            started = true;
            if (!preview) out.BeginDoc();
            if (k == 1) {
                budget = FirstPageLines;
                FirstPageSetUp(out);
            } else if (preview) {
                budget = LaterPageLines;
                StartPreviewPage(out);
                WriteShortBanner(out);
                WriteTables(out, 51);
                WriteHeader(out);
            } else {
                budget = LaterPageLines;
                out.NewPage();
                print_.PrintedPageNumber = static_cast<int16_t>(k);
                WriteTables(out, 56);
                WriteHeader(out);
            }
        };
        if (k == 1) startPage();

        std::string line;
        while (k >= 1 && (!started || budget > 0) && in.Next(line)) {
            if (!Drawn(line)) continue;
            if (before > 0) {
                --before;
                continue;
            }
            if (!started) startPage();
            out.SetPosition(W() - 95, H() - budget);
            if (preview) out.SetPreviewText(out.PreviewText() + "     " + line + "\r\n");
            else out.PrintText(ReformatToPrint(line));
            --budget;
        }
        if (preview) {
            out.SetPreviewTextReadOnly(true);
            out.ShowModal();
        }
    });
}

bool PageRenderer::PrintAllPages(ReportSurface& printer, const std::string& reportPath)
{
    PreparePrinter(printer);
    print_.PageToRender = 1;
    const bool done = Guarded(" occured in mnuRptPrint_click", [&] {
        ReportReader in(reportPath);
        printer.BeginDoc();
        print_.PrintedPageNumber = 1;
        int budget = FirstPageLines;
        WriteHeader(printer);
        WriteFileBanner(printer);
        WriteTables(printer, 48);
        std::string line;
        while (in.Next(line)) {
            if (!Drawn(line)) continue;
            // A new page only for a line to draw: no page of headers alone.
            if (budget == 0) {
                printer.NewPage();
                ++print_.PrintedPageNumber;
                budget = LaterPageLines;
                WriteHeader(printer);
                WriteTables(printer, 56);
            }
            printer.SetPosition(W() - 95, H() - budget);
            printer.PrintText(line);
            --budget;
        }
    });
    if (!done) {
        printer.DiscardDoc();
        return false;
    }
    return Guarded(" occured in mnuRptPrint_click", [&] { printer.EndDoc(); });
}

std::string BaselineText(bool logMode, const std::string& baselineName)
{
    return logMode ? "BaseLine Name: " + baselineName : " ";
}

long CountDrawnPages(const std::string& reportPath)
{
    std::ifstream in(reportPath, std::ios::binary);
    if (!in) return -1;
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return PagesForDrawnLines(DrawnLines(text));
}

} // namespace mardex
