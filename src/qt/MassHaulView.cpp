#include "MassHaulView.h"

#include "render/MassHaulDiagram.h"
#include "qtsurface/QPainterSurface.h"

#include <QPainter>

#include <algorithm>

namespace mardex {

namespace {

// The diagram's page: landscape Letter, 11 x 8.5 inches.
constexpr double PageWidthInches = 11, PageHeightInches = 8.5;

} // namespace

MassHaulView::MassHaulView(const MassSheet& sheet, const HaulAnalysis& haul, QWidget* parent)
    : QWidget(parent), sheet_(sheet), haul_(haul)
{
    setObjectName("picMassHaul");
    setMinimumSize(220, 170);
}

void MassHaulView::paintEvent(QPaintEvent*)
{
    // Drawn at the resolution that fits the page into the widget, so that the
    // layout is the printed page's, only smaller or larger.
    // The picture has the screen's device pixels (twice the widget's units
    // at 2x), so that lines and labels stay sharp.
    const double dpi = std::max(8.0, std::min(width() / PageWidthInches, height() / PageHeightInches));
    const qreal pixelRatio = devicePixelRatioF();
    const QSize size(qRound(PageWidthInches * dpi * pixelRatio), qRound(PageHeightInches * dpi * pixelRatio));
    if (cache_.size() != size) {
        cache_ = QImage(size, QImage::Format_RGB32);
        cache_.setDotsPerMeterX(qRound(dpi * pixelRatio / 0.0254));
        cache_.setDotsPerMeterY(qRound(dpi * pixelRatio / 0.0254));
        cache_.fill(Qt::white);
        QPainterSurface surface(cache_, nullptr, "screen");
        surface.BeginDoc();
        DrawMassHaulDiagram(surface, sheet_, haul_);
        surface.EndDoc();
    }
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QSizeF shown = QSizeF(size) / pixelRatio;
    p.drawImage(QRectF(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown), cache_);
}

} // namespace mardex
