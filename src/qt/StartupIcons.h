#pragma once
// Icons that cost nothing at start. The style's own icons are PNG files that
// Qt decodes in every size as soon as an icon is made, after loading every
// image-format plug-in; the window makes them for buttons that are not even
// shown (the menu bar's and the toolbar's overflow buttons). Here they are
// made only when first drawn, and the toolbar's buttons are drawn in code.
#include <QIcon>
#include <QProxyStyle>

// The application's style with its standard icons made on first use. The
// Fusion style also paints a group box's frame from a PNG file; that frame
// is drawn here with the same colours, so that the first paint reads no image.
class DeferredIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Wraps the application's current style (whatever -style or the desktop
// chose) so that its icons are made on first use.
void InstallDeferredIconStyle();

// The toolbar's New, Open and Save buttons.
enum class ToolbarPicture { NewFile, OpenFile, SaveFile };
QIcon ToolbarIcon(ToolbarPicture picture);
