#include "frmPreview.h"

#include "PrinterTarget.h"
#include "ScreenFit.h"
#include "app/Session.h"
#include "frmPrintSelect.h"
#include "app/PageRendering.h"
#include "app/PreviewCommands.h"
#include "qtsurface/QPainterSurface.h"
#include "app/ReportCommands.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace mardex {

namespace {

// The window's own drawing area: shows the kept picture, drawn at the
// screen's device pixels (pixelRatio of them to a window unit).
class PreviewCanvas : public QWidget {
public:
    PreviewCanvas(const QImage& image, qreal pixelRatio, QWidget* parent)
        : QWidget(parent), image_(image), pixelRatio_(pixelRatio)
    {
        setFixedSize((QSizeF(image.size()) / pixelRatio).toSize());
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform, pixelRatio_ != devicePixelRatioF());
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(image_.size()) / pixelRatio_), image_);
    }

private:
    const QImage& image_;
    qreal pixelRatio_;
};

} // namespace

// The preview window as a report surface: drawing goes into the kept
// picture, the report lines into Text1.
class PreviewSurface : public QPainterSurface {
public:
    PreviewSurface(frmPreview& window, QImage& image) : QPainterSurface(image, nullptr, {}), window_(window) {}

    bool IsPreview() const override { return true; }
    void Clear() override
    {
        FillWhite();
        // Drawn with the printer's H, the table header of a tall page (A4)
        // would fall under Text1 (4,680 twips = row 19.5): lift the drawing
        // so that the header of page 1 ends at the text box.
        const int H = window_.s_.print.PageHeightCells;
        SetRowOffset(std::min(0.0, 19.5 - (H - 44)));
    }
    void SetPreviewTextReadOnly(bool readOnly) override { window_.Text1->setReadOnly(readOnly); }
    void SetPreviewText(const std::string& text) override
    {
        window_.Text1->setPlainText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    }
    std::string PreviewText() const override
    {
        // Kept with the line ends the program appended.
        return window_.Text1->toPlainText().replace("\n", "\r\n").toLatin1().toStdString();
    }
    void ShowModal() override
    {
        Finish();
        window_.canvas_->update();
        if (!window_.isVisible()) window_.exec();
    }
    void CloseWindow() override { window_.close(); }

private:
    frmPreview& window_;
};

frmPreview::frmPreview(Session& s, QWidget* parent) : QDialog(parent), s_(s)
{
    setObjectName("frmPreview");
    setWindowTitle("Mardex");

    // The window has the printer's page width and 11,500 twips of height;
    // Text1 sits 4,680 twips from the top, as wide as the printable area
    // and 0.4 of its height.
    const PrinterTarget printer(ReportFileName(s_, WindowReport), s_.doc.UnitSystem);
    const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const QSizeF page = printer.PageInches(), printable = printer.PrintableInches();
    const int width = static_cast<int>(std::lround(page.width() * dpi));
    const int height = static_cast<int>(std::lround(11500.0 / 1440.0 * dpi));
    // The picture has the screen's device pixels (twice the window's units
    // at 2x): drawn at that resolution, shown at the window's size.
    const qreal pixelRatio = devicePixelRatioF();
    drawing_ = QImage(static_cast<int>(std::lround(width * pixelRatio)), static_cast<int>(std::lround(height * pixelRatio)),
                      QImage::Format_RGB32);
    drawing_.setDotsPerMeterX(static_cast<int>(std::lround(dpi * pixelRatio / 0.0254)));
    drawing_.setDotsPerMeterY(static_cast<int>(std::lround(dpi * pixelRatio / 0.0254)));
    drawing_.fill(Qt::white);

    auto* menus = new QMenuBar(this);
    mnuBack = menus->addAction("<< Backward");
    mnuBack->setObjectName("mnuBack");
    mnuForward = menus->addAction("Forward >>");
    mnuForward->setObjectName("mnuForward");
    mnuRptPrint = menus->addMenu("Print");
    mnuRptPrint->setObjectName("mnuRptPrint");
    mnuPrintAll = mnuRptPrint->addAction("Print&All");
    mnuPrintAll->setObjectName("mnuPrintAll");
    mnuPrintSelected = mnuRptPrint->addAction("Print&SelectedPages");
    mnuPrintSelected->setObjectName("mnuPrintSelected");
    mnuPreviewExit = menus->addAction("Exit");
    mnuPreviewExit->setObjectName("mnuPreviewExit");

    canvas_ = new PreviewCanvas(drawing_, pixelRatio, this);
    Text1 = new QPlainTextEdit(canvas_);
    Text1->setObjectName("Text1");
    QFont courier("Courier New");
    courier.setFamilies({"Courier New", "Liberation Mono"});
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSizeF(7.5);
    Text1->setFont(courier);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setReadOnly(true);
    Text1->setGeometry(0, static_cast<int>(std::lround(4680.0 / 1440.0 * dpi)),
                       static_cast<int>(printable.width() * dpi), static_cast<int>(0.4 * printable.height() * dpi));

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(canvas_);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menus);
    layout->addWidget(scroll);
    resize(width + 24, std::min(height + menus->sizeHint().height() + 4, 900));
    BoundToScreen(*this);

    surface_ = std::make_unique<PreviewSurface>(*this, drawing_);
    surface_->SetFontName("courier new");
    surface_->SetTransparentText(true);

    connect(mnuBack, &QAction::triggered, this, [this] { mnuBack_Click(s_, *surface_); });
    connect(mnuForward, &QAction::triggered, this, [this] { mnuForward_Click(s_, *surface_); });
    connect(mnuPrintAll, &QAction::triggered, this, &frmPreview::PrintAll);
    connect(mnuPrintSelected, &QAction::triggered, this, &frmPreview::PrintSelected);
    connect(mnuPreviewExit, &QAction::triggered, this, &QDialog::close);
}

frmPreview::~frmPreview() = default;

void frmPreview::Open()
{
    PrinterTarget printer(ReportFileName(s_, WindowReport), s_.doc.UnitSystem);
    OpenReportPreview(s_, *surface_, printer.Surface());
}

void frmPreview::PrintAll()
{
    PrinterTarget printer(ReportFileName(s_, WindowReport), s_.doc.UnitSystem);
    int noRange = 0;
    if (!printer.Choose(this, noRange, noRange, s_.report.TotalPages)) return;
    mnuPrintAll_Click(s_, *surface_, printer.Surface());
}

void frmPreview::PrintSelected()
{
    PrinterTarget printer(ReportFileName(s_, WindowReport), s_.doc.UnitSystem);
    PrintSelectDialog pages(this);
    // The chosen range goes on into the print dialog of a real printer.
    PrintDialogAfterRange dialog(pages, [&](int& from, int& to) {
        return printer.Choose(this, from, to, s_.report.TotalPages);
    });
    mnuPrintSelected_Click(s_, printer.Surface(), dialog);
}

void frmPreview::closeEvent(QCloseEvent* event)
{
    event->accept();  // closing is always allowed
    QDialog::closeEvent(event);
}

void frmPreview::done(int result)
{
    frmPreview_Closed(s_);
    QDialog::done(result);
}

} // namespace mardex
