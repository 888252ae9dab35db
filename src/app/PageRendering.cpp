#include "app/PageRendering.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "render/GeneralDate.h"
#include "render/ReportSurface.h"
#include "app/ReportCommands.h"
#include "text/LineReader.h"
#include "text/NumberText.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace mardex {

namespace {

const std::string SystemError = " System Error: ";

int W(const Session& s) { return s.print.PageWidthCells; }
int H(const Session& s) { return s.print.PageHeightCells; }

// Rules run from column W - 95 by the offset (W - 4, 0): their right end is
// at 2W - 99, as the printed layout has always had it.
void HorizontalRule(Session& s, ReportSurface& out, int row)
{
    out.DrawLine(W(s) - 95, H(s) - row, W(s) - 4, 0);
}

void VerticalRule(Session& s, ReportSurface& out, int column, int row, int height)
{
    out.DrawLine(W(s) - column, H(s) - row, 0, height);
}

void PrintAt(ReportSurface& out, int x, int y, const std::string& text)
{
    out.SetPosition(x, y);
    out.PrintText(text);
}

std::string NumberField(long n)
{
    return (n < 0 ? "-" : " ") + std::to_string(n < 0 ? -n : n) + " ";
}

const std::string& Designer(const Session& s) { return s.doc.DescriptionFields[0]; }
const std::string& ProjectNo(const Session& s) { return s.doc.DescriptionFields[1]; }
const std::string& ControlNo(const Session& s) { return s.doc.DescriptionFields[2]; }

// The caption of the current tab ("BASELINE: ..." for a log), as the
// report file's own header line has it.
std::string CurrentTabName(const Session& s)
{
    return CaptionOfTab(s, s.doc.CurrentSheet, s.store[s.doc.CurrentSheet].TabName);
}

std::string BaseLineText(const Session& s)
{
    return s.doc.LogMode ? "BaseLine Name: " + s.doc.BaselineName : " ";
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

// The title box shared by both banners (position, rules, the two titles).
void BannerTitles(Session& s, ReportSurface& out)
{
    out.SetPosition(W(s) - 95, H(s) - 57);
    HorizontalRule(s, out, 57);
    HorizontalRule(s, out, 53);
    VerticalRule(s, out, 95, 57, 4);
    VerticalRule(s, out, 2, 57, 4);
    out.SetFontSize(18);
    out.SetBold(true);
    PrintAt(out, W(s) - 76, H(s) - 57, "TORVALIA DEPARTMENT OF ROADS");
    PrintAt(out, W(s) - 73, H(s) - 55, "EARTHWORK CALCULATION REPORT");
}

void StartPreviewPage(ReportSurface& out)
{
    out.Clear();
    out.SetPreviewTextReadOnly(false);
    out.SetPreviewText("");
}

void FirstPageSetUp(Session& s, ReportSurface& out)
{
    s.print.PrintedPageNumber = 1;
    if (out.IsPreview()) StartPreviewPage(out);
    WriteHeader(s, out);
    WriteFileBanner(s, out);
    WriteTables(s, out, 48);
}

} // namespace

void PreparePrinter(Session& s, ReportSurface& printer)
{
    Guarded(s.ask, SystemError, " occured in PreparePrinter", [&] {
        printer.SetFontName("courier");
        s.print.PageWidthCells = static_cast<int>(std::floor(printer.PrintableWidthCells()));
        s.print.PageHeightCells = static_cast<int>(std::floor(printer.PrintableHeightCells()));
    });
}

void PutText(ReportSurface& surface, int x, int y, const std::string& text)
{
    PrintAt(surface, x, y, text);
}

void WriteFileBanner(Session& s, ReportSurface& out)
{
    Guarded(s.ask, SystemError, " occured in WriteFileBanner", [&] {
        BannerTitles(s, out);
        out.SetFontSize(12);
        out.SetBold(false);
        PrintAt(out, W(s) - 90, H(s) - 52, "DESIGNER     :" + Designer(s));
        out.SetBold(true);
        PutText(out, W(s) - 35, H(s) - 52, "For " + CurrentTabName(s));
        out.SetBold(false);
        PrintAt(out, W(s) - 90, H(s) - 51, "PROJECT NO   :" + ProjectNo(s));
        out.SetBold(true);
        PutText(out, W(s) - 35, H(s) - 51, BaseLineText(s));
        out.SetBold(false);
        PrintAt(out, W(s) - 90, H(s) - 50, "CONTROL NO   :" + ControlNo(s));
        out.SetPosition(W(s) - 90, H(s) - 48);
        out.SetFontSize(8.28);
        out.SetPosition(W(s) - 93, H(s) - 47);
    });
}

void WriteShortBanner(Session& s, ReportSurface& out)
{
    Guarded(s.ask, SystemError, " occured in WriteShortBanner", [&] {
        BannerTitles(s, out);
        out.SetFontSize(10);
    });
}

std::string PagesText(long page, long total)
{
    return "Pages : " + NumberField(page) + " OF " + NumberField(total);
}

void WriteHeader(Session& s, ReportSurface& out)
{
    Guarded(s.ask, SystemError, " occured in WriteHeader", [&] {
        out.SetFontSize(8.28);
        PrintAt(out, W(s) - 86, H(s) - 60, Designer(s));
        PrintAt(out, W(s) - 25, H(s) - 60, CurrentGeneralDateTime(s.print));
        PrintAt(out, W(s) - 86, H(s) - 59, ProjectNo(s));
        PrintAt(out, W(s) - 86, H(s) - 58, ControlNo(s));
        PrintAt(out, W(s) - 25, H(s) - 59, PagesText(s.print.PrintedPageNumber, s.report.TotalPages));
        PutText(out, W(s) - 25, H(s) - 58, BaseLineText(s));
    });
}

void WriteTables(Session& s, ReportSurface& out, int top)
{
    Guarded(s.ask, SystemError, " occured in WriteTables", [&] {
        const int t = top;
        HorizontalRule(s, out, t);
        HorizontalRule(s, out, t - 1);
        HorizontalRule(s, out, t - 4);
        VerticalRule(s, out, 95, t, 4);
        VerticalRule(s, out, 2, t, 4);

        out.SetBold(true);
        out.SetTransparentText(true);
        PutText(out, W(s) - 68, H(s) - t, "EXCAVATION");
        PutText(out, W(s) - 39, H(s) - t, "EMBANKMENT");

        VerticalRule(s, out, 85, t, 4);
        for (int column : {76, 67, 49}) VerticalRule(s, out, column, t - 1, 3);
        VerticalRule(s, out, 58, t, 4);
        for (int column : {41, 32, 23}) VerticalRule(s, out, column, t - 1, 3);
        VerticalRule(s, out, 14, t, 4);

        const bool accumulated = s.report.AccumulatedMode == ReportMode::Accumulated;
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
            PutText(out, W(s) - c.column, H(s) - t + 1, c.line1);
            if (*c.line2) PutText(out, W(s) - c.column, H(s) - t + 2, c.line2);
        }

        out.SetBold(true);
        out.SetTransparentText(true);
        const bool metric = s.doc.UnitSystem == 1;
        const std::string area = metric ? "Sq.m." : "Sq.Ft.";
        const std::string volume = metric ? "Cu.m." : "Cu.Yds.";
        const struct { int column; const std::string& unit; } units[] = {
            {84, area}, {75, volume}, {66, volume}, {57, area},
            {48, volume}, {40, volume}, {22, volume}, {13, volume},
        };
        for (const auto& u : units) PutText(out, W(s) - u.column, H(s) - t + 3, u.unit);
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

void RenderPage(Session& s, ReportSurface& out, const std::string& reportPath)
{
    Guarded(s.ask, SystemError, " occured in PrintOneByOne", [&] {
        const int k = s.print.PageToRender;
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
                FirstPageSetUp(s, out);
            } else if (preview) {
                budget = LaterPageLines;
                StartPreviewPage(out);
                WriteShortBanner(s, out);
                WriteTables(s, out, 51);
                WriteHeader(s, out);
            } else {
                budget = LaterPageLines;
                out.NewPage();
                s.print.PrintedPageNumber = static_cast<int16_t>(k);
                WriteTables(s, out, 56);
                WriteHeader(s, out);
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
            out.SetPosition(W(s) - 95, H(s) - budget);
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

bool PrintAllPages(Session& s, ReportSurface& printer, const std::string& reportPath)
{
    PreparePrinter(s, printer);
    s.print.PageToRender = 1;
    const bool done = Guarded(s.ask, SystemError, " occured in mnuRptPrint_click", [&] {
        ReportReader in(reportPath);
        printer.BeginDoc();
        s.print.PrintedPageNumber = 1;
        int budget = FirstPageLines;
        WriteHeader(s, printer);
        WriteFileBanner(s, printer);
        WriteTables(s, printer, 48);
        std::string line;
        while (in.Next(line)) {
            if (!Drawn(line)) continue;
            // A new page only for a line to draw: no page of headers alone.
            if (budget == 0) {
                printer.NewPage();
                ++s.print.PrintedPageNumber;
                budget = LaterPageLines;
                WriteHeader(s, printer);
                WriteTables(s, printer, 56);
            }
            printer.SetPosition(W(s) - 95, H(s) - budget);
            printer.PrintText(line);
            --budget;
        }
    });
    if (!done) {
        printer.DiscardDoc();
        return false;
    }
    return Guarded(s.ask, SystemError, " occured in mnuRptPrint_click", [&] { printer.EndDoc(); });
}

long CountDrawnPages(const std::string& reportPath)
{
    std::ifstream in(reportPath, std::ios::binary);
    if (!in) return -1;
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return PagesForDrawnLines(DrawnLines(text));
}

} // namespace mardex
