#include "StartupIcons.h"

#include <QApplication>
#include <QGroupBox>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

// Stands for one of the style's icons and asks the style for it the first
// time the icon is drawn or measured.
class DeferredStandardIcon : public QIconEngine {
public:
    // Of the option only its common part is kept (direction, palette,
    // state): that is all a style reads when making a standard icon.
    DeferredStandardIcon(const QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option,
                         const QWidget* widget)
        : style_(style), which_(which), hasOption_(option != nullptr), widget_(widget)
    {
        if (option) option_ = *option;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }
    QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }

private:
    const QIcon& icon()
    {
        if (!made_) {
            const QStyle* style = style_ ? style_.data() : QApplication::style();
            icon_ = style->standardIcon(which_, hasOption_ ? &option_ : nullptr, widget_);
            made_ = true;
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QStyleOption option_;
    bool hasOption_;
    QPointer<const QWidget> widget_;
    QIcon icon_;
    bool made_ = false;
};

// Drawn on a 16 x 16 grid scaled to the size asked for, so every size is
// sharp; a disabled button gets the style's usual greyed version.
class DrawnIcon : public QIconEngine {
public:
    explicit DrawnIcon(ToolbarPicture picture) : picture_(picture) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        draw(*painter);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap image(size * scale);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paint(&painter, QRect(QPoint(), image.size()), QIcon::Normal, state);
        }
        image.setDevicePixelRatio(scale);
        if (mode == QIcon::Normal) return image;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, image, &option);
    }
    QString key() const override { return QStringLiteral("DrawnIcon"); }
    QIconEngine* clone() const override { return new DrawnIcon(picture_); }

private:
    void draw(QPainter& p) const
    {
        const QColor ink(60, 60, 60);
        p.setPen(QPen(ink, 1.0));
        switch (picture_) {
        case ToolbarPicture::NewFile: {
            // A sheet with its top right corner folded.
            QPainterPath sheet;
            sheet.moveTo(3.5, 1.5);
            sheet.lineTo(9.5, 1.5);
            sheet.lineTo(12.5, 4.5);
            sheet.lineTo(12.5, 14.5);
            sheet.lineTo(3.5, 14.5);
            sheet.closeSubpath();
            p.setBrush(Qt::white);
            p.drawPath(sheet);
            p.setBrush(QColor(220, 220, 220));
            p.drawPolygon(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
            break;
        }
        case ToolbarPicture::OpenFile: {
            // A folder with its front flap open.
            p.setBrush(QColor(214, 170, 60));
            p.drawPolygon(QPolygonF({{1.5, 3.5}, {5.5, 3.5}, {6.5, 4.5}, {12.5, 4.5}, {12.5, 13.5}, {1.5, 13.5}}));
            p.setBrush(QColor(246, 206, 96));
            p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}, {1.5, 13.5}}));
            break;
        }
        case ToolbarPicture::SaveFile: {
            // A diskette: label on top, shutter below.
            p.setBrush(QColor(70, 110, 180));
            p.drawPolygon(QPolygonF({{1.5, 1.5}, {13.5, 1.5}, {14.5, 2.5}, {14.5, 14.5}, {1.5, 14.5}}));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.setBrush(QColor(200, 200, 205));
            p.drawRect(QRectF(4.5, 9.5, 7, 5));
            break;
        }
        }
    }

    ToolbarPicture picture_;
};

} // namespace

QIcon DeferredIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const
{
    return QIcon(new DeferredStandardIcon(baseStyle(), which, option, widget));
}

void DeferredIconStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const
{
    if (element != PE_FrameGroupBox || baseStyle()->name().compare("fusion", Qt::CaseInsensitive) != 0) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's frame: a faint shade inside a translucent grey line with
    // clipped corners, set below the title.
    constexpr int belowTitle = 3;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    int top = belowTitle;
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height());
    const QRect frame = option->rect.adjusted(1, top + 1, 0, 0);
    if (frame.width() < 4 || frame.height() < 4) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->fillRect(frame.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 3));
    painter->setPen(QColor(0, 0, 0, 7));
    painter->drawRect(frame.adjusted(1, 1, -2, -2));
    painter->setPen(QColor(117, 117, 117, 50));
    const QPoint tl = frame.topLeft(), br = frame.bottomRight();
    painter->drawLine(tl.x() + 1, tl.y(), br.x() - 1, tl.y());
    painter->drawLine(tl.x() + 1, br.y(), br.x() - 1, br.y());
    painter->drawLine(tl.x(), tl.y() + 1, tl.x(), br.y() - 1);
    painter->drawLine(br.x(), tl.y() + 1, br.x(), br.y() - 1);
    painter->setPen(QColor(39, 39, 39, 13));
    painter->drawPoints(QPolygon({tl, br, QPoint(tl.x(), br.y()), QPoint(br.x(), tl.y())}));
    painter->restore();
}

void InstallDeferredIconStyle()
{
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (!base) return;
    QApplication::setStyle(new DeferredIconStyle(base));
}

QIcon ToolbarIcon(ToolbarPicture picture) { return QIcon(new DrawnIcon(picture)); }
