#pragma once
// A surface that keeps what is drawn, page by page, for tests and
// benchmarks; as the printer or as the preview window.
#include "render/ReportSurface.h"

#include <string>
#include <vector>

namespace mardex {

class RecordingSurface : public ReportSurface {
public:
    struct Text {
        double x, y;
        std::string text;
        double fontSize;
        bool bold, transparent;
    };
    struct Line {
        double x, y, dx, dy;
        LineStyle style = LineStyle::Solid;
    };
    struct Fill {
        std::vector<CellPoint> points;
        FillStyle style;
    };
    struct Page {
        std::vector<Text> texts;
        std::vector<Line> lines;
        std::vector<Fill> fills;
        bool Empty() const { return texts.empty() && lines.empty() && fills.empty(); }
    };

    RecordingSurface(double widthCells = 96, double heightCells = 63, bool preview = false)
        : width_(widthCells), height_(heightCells), preview_(preview) {}

    double PrintableWidthCells() const override { return width_; }
    double PrintableHeightCells() const override { return height_; }
    void SetPosition(double x, double y) override { x_ = x; y_ = y; }
    void SetFontName(const std::string& family) override { fontName = family; }
    void SetFontSize(double points) override { size_ = points; }
    void SetBold(bool bold) override { bold_ = bold; }
    void SetTransparentText(bool transparent) override { transparent_ = transparent; }
    void DrawLine(double x, double y, double dx, double dy) override;
    void PrintText(const std::string& text) override;
    void DrawStyledLine(double x, double y, double dx, double dy, LineStyle style) override;
    void FillPolygon(const std::vector<CellPoint>& points, FillStyle style) override;
    // A new page only once something was drawn, as on a real printer.
    void BeginDoc() override { ++documentsBegun; }
    void NewPage() override;
    void EndDoc() override { ++documentsEnded; }
    std::string DeviceName() const override { return "Recorder"; }

    bool IsPreview() const override { return preview_; }
    void Clear() override;
    void SetPreviewTextReadOnly(bool readOnly) override { previewTextReadOnly = readOnly; }
    void SetPreviewText(const std::string& text) override { previewText = text; }
    std::string PreviewText() const override { return previewText; }
    void ShowModal() override { ++showCalls; }
    void CloseWindow() override { ++closeCalls; }

    // The texts of a page in drawing order; the first text drawn at (x, y).
    std::vector<std::string> TextsOf(std::size_t page) const;
    const Text* TextAt(std::size_t page, double x, double y) const;

    std::vector<Page> pages{1};
    std::string fontName;
    std::string previewText;
    bool previewTextReadOnly = false;
    int documentsBegun = 0, documentsEnded = 0, showCalls = 0, closeCalls = 0, clears = 0;

private:
    double width_, height_;
    bool preview_;
    double x_ = 0, y_ = 0, size_ = 8.28;
    bool bold_ = false, transparent_ = true;
};

} // namespace mardex
