#include "qtsurface/QPainterSurface.h"

#include "app/Guarded.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPen>
#include <QPolygonF>

#include <algorithm>

namespace mardex {

QPainterSurface::QPainterSurface(QPaintDevice& device, QPagedPaintDevice* paged, std::string deviceName)
    : device_(device), paged_(paged), deviceName_(std::move(deviceName))
{
}

QPainterSurface::~QPainterSurface() { Finish(); }

double QPainterSurface::CellWidth() const { return device_.logicalDpiX() / 12.0; }
double QPainterSurface::CellHeight() const { return device_.logicalDpiY() / 6.0; }

double QPainterSurface::Scale() const
{
    if (pageInches_ <= 0) return 1.0;
    return std::min(1.0, device_.width() / (pageInches_ * device_.logicalDpiX()));
}

double QPainterSurface::PrintableWidthCells() const
{
    return pageInches_ > 0 ? pageInches_ * 12.0 : device_.width() / CellWidth();
}
double QPainterSurface::PrintableHeightCells() const { return device_.height() / Scale() / CellHeight(); }

QPainter& QPainterSurface::Painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(&device_)) {
            painter_.reset();
            throw RuntimeFault("cannot start printing on " + deviceName_);
        }
        if (Scale() < 1.0) painter_->scale(Scale(), Scale());
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        pages_ = 1;
        pageHasContent_ = false;
    }
    return *painter_;
}

void QPainterSurface::Finish()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void QPainterSurface::FillWhite()
{
    QPainter& p = Painter();
    p.fillRect(QRectF(0, 0, device_.width(), device_.height()), Qt::white);
    pageHasContent_ = false;
}

QFont QPainterSurface::CurrentFont() const
{
    QFont font(family_);
    // "Courier New" is seldom installed on Linux: its metric twin, named
    // rather than left to font matching, keeps the columns where they belong.
    font.setFamilies({family_, QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(size_);
    font.setBold(bold_);
    font.setKerning(false);
    return font;
}

void QPainterSurface::SetPosition(double x, double y)
{
    x_ = x;
    y_ = y;
}

void QPainterSurface::SetFontName(const std::string& family) { family_ = QString::fromLatin1(family.c_str()); }
void QPainterSurface::SetFontSize(double points) { size_ = points; }
void QPainterSurface::SetBold(bool bold) { bold_ = bold; }
void QPainterSurface::SetTransparentText(bool transparent) { transparent_ = transparent; }

void QPainterSurface::DrawLine(double x, double y, double dx, double dy)
{
    QPainter& p = Painter();
    // About half a point wide on every device.
    p.setPen(QPen(Qt::black, device_.logicalDpiX() / 144.0, Qt::SolidLine, Qt::FlatCap));
    const double top = y + rowOffset_;
    p.drawLine(QPointF(x * CellWidth(), top * CellHeight()), QPointF((x + dx) * CellWidth(), (top + dy) * CellHeight()));
    pageHasContent_ = true;
    x_ = x + dx;
    y_ = y + dy;
}

void QPainterSurface::DrawStyledLine(double x, double y, double dx, double dy, LineStyle style)
{
    if (style == LineStyle::Solid) {
        DrawLine(x, y, dx, dy);
        return;
    }
    QPainter& p = Painter();
    const double width = device_.logicalDpiX() / (style == LineStyle::Bold ? 48.0 : 110.0);
    p.setPen(QPen(Qt::black, width, style == LineStyle::Dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
    const double top = y + rowOffset_;
    p.drawLine(QPointF(x * CellWidth(), top * CellHeight()), QPointF((x + dx) * CellWidth(), (top + dy) * CellHeight()));
    pageHasContent_ = true;
}

void QPainterSurface::FillPolygon(const std::vector<CellPoint>& points, FillStyle style)
{
    if (points.size() < 3) return;
    QPainter& p = Painter();
    QPolygonF polygon;
    for (const CellPoint& c : points) polygon << QPointF(c.x * CellWidth(), (c.y + rowOffset_) * CellHeight());
    p.save();
    p.setPen(Qt::NoPen);
    if (style == FillStyle::Shade) {
        p.setBrush(QColor(200, 200, 200));
    } else {
        QBrush hatch(Qt::black, Qt::BDiagPattern);
        // The pattern's spacing in device pixels: about 1/16 inch apart.
        hatch.setTransform(QTransform::fromScale(device_.logicalDpiX() / 96.0, device_.logicalDpiY() / 96.0));
        p.setBrush(hatch);
    }
    p.drawPolygon(polygon);
    p.restore();
    pageHasContent_ = true;
}

void QPainterSurface::PrintText(const std::string& text)
{
    QPainter& p = Painter();
    const QFont font = CurrentFont();
    p.setFont(font);
    const QFontMetricsF metrics(font, &device_);
    const QString s = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    const QPointF topLeft(x_ * CellWidth(), (y_ + rowOffset_) * CellHeight());
    if (!transparent_)
        p.fillRect(QRectF(topLeft, QSizeF(metrics.horizontalAdvance(s), metrics.height())), Qt::white);
    p.setPen(Qt::black);
    p.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), s);
    if (!text.empty()) pageHasContent_ = true;
    x_ = 0;
    y_ += metrics.height() / CellHeight();
}

void QPainterSurface::NewPage()
{
    if (!painter_ || !pageHasContent_ || !paged_) return;
    if (!paged_->newPage()) throw RuntimeFault("cannot start a new page on " + deviceName_);
    ++pages_;
    pageHasContent_ = false;
}

void QPainterSurface::EndDoc() { Finish(); }

} // namespace mardex
