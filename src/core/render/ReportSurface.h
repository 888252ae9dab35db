#pragma once
// What a report page is drawn on: the printer (or a PDF standing in for it)
// and the preview window. Positions are in character cells: one column is
// 120 twips, one row 240 twips, (0, 0) the top-left of the printable area.
#include <string>
#include <vector>

namespace mardex {

// Line and fill styles that stay apart when printed in black and white.
enum class LineStyle { Solid, Dashed, Bold };
enum class FillStyle { Shade, Hatch };  // light grey / diagonal hatching
struct CellPoint {
    double x, y;
};

class ReportSurface {
public:
    virtual ~ReportSurface() = default;

    // Printable size in character cells (fractions kept; PreparePrinter
    // takes the integer part).
    virtual double PrintableWidthCells() const = 0;
    virtual double PrintableHeightCells() const = 0;

    virtual void SetPosition(double x, double y) = 0;
    virtual void SetFontName(const std::string& family) = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetBold(bool bold) = 0;
    virtual void SetTransparentText(bool transparent) = 0;
    // A black line from (x, y) to (x + dx, y + dy).
    virtual void DrawLine(double x, double y, double dx, double dy) = 0;
    // Prints the text at the current position, then moves to the next line.
    virtual void PrintText(const std::string& text) = 0;
    // Drawings (the mass-haul diagram); a surface without them draws plain
    // lines and no fills.
    virtual void DrawStyledLine(double x, double y, double dx, double dy, LineStyle) { DrawLine(x, y, dx, dy); }
    virtual void FillPolygon(const std::vector<CellPoint>&, FillStyle) {}

    // Printer only. BeginDoc starts the print document (a failure to start
    // it is thrown, so that one message reports it).
    virtual void BeginDoc() {}
    virtual void NewPage() {}
    virtual void EndDoc() {}
    // Ends a document that failed: a file standing in for paper is not written.
    virtual void DiscardDoc() { EndDoc(); }
    virtual std::string DeviceName() const { return {}; }

    // Preview window only.
    virtual bool IsPreview() const { return false; }
    virtual void Clear() {}
    // The preview's text box of report lines (Text1).
    virtual void SetPreviewTextReadOnly(bool) {}
    virtual void SetPreviewText(const std::string&) {}
    virtual std::string PreviewText() const { return {}; }
    // Shows the window modally; returns at once when it is already shown.
    virtual void ShowModal() {}
    virtual void CloseWindow() {}
};

} // namespace mardex
