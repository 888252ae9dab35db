#pragma once
// The report surface on a QPainter: a printer, a PDF file or the preview
// window's picture. One character cell is 120 x 240 twips (1/12 x 1/6 inch)
// at the device's resolution; (0, 0) is the top-left of the printable area.
#include "render/ReportSurface.h"

#include <QFont>
#include <QPainter>

#include <memory>
#include <string>

class QPaintDevice;
class QPagedPaintDevice;

namespace mardex {

class QPainterSurface : public ReportSurface {
public:
    // `paged` is the same device when it has pages (printer, PDF), else null.
    QPainterSurface(QPaintDevice& device, QPagedPaintDevice* paged, std::string deviceName);
    ~QPainterSurface() override;

    double PrintableWidthCells() const override;
    double PrintableHeightCells() const override;
    void SetPosition(double x, double y) override;
    void SetFontName(const std::string& family) override;
    void SetFontSize(double points) override;
    void SetBold(bool bold) override;
    void SetTransparentText(bool transparent) override;
    void DrawLine(double x, double y, double dx, double dy) override;
    void PrintText(const std::string& text) override;
    void DrawStyledLine(double x, double y, double dx, double dy, LineStyle style) override;
    void FillPolygon(const std::vector<CellPoint>& points, FillStyle style) override;
    // A new sheet only when the current one carries something: a range of
    // selected pages that starts after page 1 begins on the first sheet.
    void BeginDoc() override { Painter(); }
    void NewPage() override;
    void EndDoc() override;
    std::string DeviceName() const override { return deviceName_; }
    // Before the first page: the device chosen in a print dialog.
    void SetDeviceName(std::string name) { deviceName_ = std::move(name); }

    // Pages drawn in the current (or last ended) document.
    int PagesStarted() const { return pages_; }

    // Draws every page `inches` wide whatever the printable area: scaled down
    // to fit a narrower one, so that nothing reaches past the paper's margins.
    void FitPageWidth(double inches) { pageInches_ = inches; }

protected:
    // Ends painting so that the device can be shown or saved.
    void Finish();
    // Moves everything drawn by this many rows (the preview fits its
    // drawing above its text box).
    void SetRowOffset(double rows) { rowOffset_ = rows; }
    void FillWhite();
    QPaintDevice& device_;

private:
    QPainter& Painter();
    double CellWidth() const;   // device pixels per column
    double CellHeight() const;  // device pixels per row
    double Scale() const;       // below 1 when a page of pageInches_ is shrunk to fit
    QFont CurrentFont() const;

    QPagedPaintDevice* paged_;
    std::string deviceName_;
    std::unique_ptr<QPainter> painter_;
    double x_ = 0, y_ = 0, rowOffset_ = 0;
    double pageInches_ = 0;  // 0: the printable area's own width
    QString family_ = "courier";
    double size_ = 8.28;
    bool bold_ = false, transparent_ = true;
    bool pageHasContent_ = false;
    int pages_ = 0;
};

} // namespace mardex
