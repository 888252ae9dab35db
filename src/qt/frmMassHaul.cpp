#include "frmMassHaul.h"

#include "MassHaulView.h"

#include "app/MassHaulSheet.h"
#include "app/Session.h"
#include "compute/HaulTable.h"
#include "formats/AtomicFile.h"
#include "render/MassHaulDiagram.h"
#include "qtsurface/MassHaulExport.h"
#include "qtsurface/QPainterSurface.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace mardex {

namespace {

std::optional<double> BoxNumber(const QLineEdit* box)
{
    bool ok = false;
    const double v = box->text().trimmed().toDouble(&ok);
    if (!ok || v < 0) return std::nullopt;
    return v;
}

} // namespace

frmMassHaul::frmMassHaul(QWidget* parent, MassSheet sheet) : QDialog(parent), sheet_(std::move(sheet))
{
    setObjectName("frmMassHaul");
    setWindowTitle(QString::fromLatin1(("Mass Haul - " + sheet_.tabName).c_str()));
    setSizeGripEnabled(true);
    resize(1000, 760);

    const QString unit = sheet_.metric ? "m" : "ft";
    freeHaulBox = new QLineEdit(this);
    freeHaulBox->setObjectName("txtFreeHaul");
    overhaulPriceBox = new QLineEdit(this);
    overhaulPriceBox->setObjectName("txtOverhaulPrice");
    QSettings settings("Mardex", "Mardex");
    freeHaulBox->setText(settings.value("MassHaul/FreeHaul").toString());
    overhaulPriceBox->setText(settings.value("MassHaul/OverhaulPrice").toString());

    auto* fit = new QPushButton("Zoom to &Fit", this);
    fit->setObjectName("cmdZoomFit");
    auto* zoomIn = new QPushButton("Zoom &In", this);
    auto* zoomOut = new QPushButton("Zoom &Out", this);
    auto* print = new QPushButton("&Print...", this);
    print->setObjectName("cmdPrint");
    auto* exportButton = new QPushButton("&Export...", this);
    exportButton->setObjectName("cmdExport");
    auto* close = new QPushButton("&Close", this);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(new QLabel("Free-haul distance (" + unit + "):", this));
    boxes->addWidget(freeHaulBox);
    boxes->addWidget(new QLabel("Overhaul price:", this));
    boxes->addWidget(overhaulPriceBox);
    boxes->addStretch();
    for (QPushButton* b : {fit, zoomIn, zoomOut, print, exportButton, close}) boxes->addWidget(b);

    view_ = new MassHaulView(sheet_, haul_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidgetResizable(true);

    haulTable = new QTableWidget(this);
    haulTable->setObjectName("grdHaulTable");
    haulTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    haulTable->verticalHeader()->setVisible(false);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(scroll_);
    split->addWidget(haulTable);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    // The diagram gets most of the height; the table scrolls.
    split->setSizes({3000, 1000});
    haulTable->setMinimumHeight(90);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(split);

    connect(freeHaulBox, &QLineEdit::textChanged, this, [this] { Recompute(); });
    connect(overhaulPriceBox, &QLineEdit::textChanged, this, [this] { Recompute(); });
    connect(fit, &QPushButton::clicked, this, [this] { ZoomToFit(); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { Zoom(1.25); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { Zoom(0.8); });
    connect(print, &QPushButton::clicked, this, [this] { PrintDiagram(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { Export(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    Recompute();
}

void frmMassHaul::Recompute()
{
    HaulOptions options;
    // A box that does not hold a number counts as empty; the price only
    // applies with a free-haul distance.
    options.freeHaul = BoxNumber(freeHaulBox).value_or(0);
    if (options.FreeHaulGiven()) options.price = BoxNumber(overhaulPriceBox);
    haul_ = AnalyseHaul(sheet_.rows, options);
    QSettings settings("Mardex", "Mardex");
    settings.setValue("MassHaul/FreeHaul", freeHaulBox->text());
    settings.setValue("MassHaul/OverhaulPrice", overhaulPriceBox->text());
    ShowTable();
    view_->Changed();
}

void frmMassHaul::ShowTable()
{
    const QStringList header = QString(HaulTableHeader).split(',');
    haulTable->clear();
    haulTable->setColumnCount(static_cast<int>(header.size()));
    haulTable->setHorizontalHeaderLabels(header);
    std::vector<const HaulLine*> lines;
    for (const HaulLine& l : haul_.lines) lines.push_back(&l);
    lines.push_back(&haul_.total);
    haulTable->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < static_cast<int>(lines.size()); ++r) {
        const auto fields = HaulTableFields(haul_, *lines[r]);
        for (int c = 0; c < static_cast<int>(fields.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(fields[c]));
            if (c >= 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            haulTable->setItem(r, c, item);
        }
    }
    haulTable->resizeColumnsToContents();
}

void frmMassHaul::ZoomToFit()
{
    zoom_ = 1;
    scroll_->setWidgetResizable(true);
    view_->setMinimumSize(220, 170);
}

void frmMassHaul::Zoom(double factor)
{
    zoom_ = std::clamp(zoom_ * factor, 0.25, 8.0);
    const QSize fit = scroll_->viewport()->size();
    scroll_->setWidgetResizable(false);
    view_->setMinimumSize(0, 0);
    view_->resize(QSize(qRound(fit.width() * zoom_), qRound(fit.height() * zoom_)));
}

void frmMassHaul::PrintDiagram()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName("Mass haul diagram");
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // Printing to a file takes the export's way: drawn in memory, the file
    // replaced whole or not at all.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        std::string error;
        if (!WriteMassHaulFileAs(sheet_, haul_, printer.outputFileName().toLocal8Bit().toStdString(), "pdf", error))
            QMessageBox::warning(this, "Mardex", QString::fromLocal8Bit(error.c_str()));
        return;
    }
    try {
        QPainterSurface surface(printer, &printer, printer.printerName().toStdString());
        surface.BeginDoc();
        DrawMassHaulDiagram(surface, sheet_, haul_);
        surface.EndDoc();
    } catch (const std::exception& e) {
        QMessageBox::warning(this, "Mardex", QString::fromStdString(e.what()));
    }
}

void frmMassHaul::Export()
{
    const QString path = QFileDialog::getSaveFileName(
        this, "Export Mass Haul", QString::fromLatin1(sheet_.tabName.c_str()),
        "PDF (*.pdf);;SVG (*.svg);;PNG picture (*.png);;Haul table CSV (*.csv)");
    if (!path.isEmpty()) ExportTo(path);
}

void frmMassHaul::ExportTo(const QString& path)
{
    const std::string file = path.toLocal8Bit().toStdString();
    std::string error;
    bool written = false;
    if (path.endsWith(".csv", Qt::CaseInsensitive)) {
        const auto result = WriteFileAtomically(file, HaulTableText(haul_));
        written = result.ok;
        error = result.error;
    } else {
        written = WriteMassHaulFile(sheet_, haul_, file, error);
    }
    if (!written) QMessageBox::warning(this, "Mardex", QString::fromLocal8Bit(error.c_str()));
}

void ShowMassHaul(QWidget* parent, Session& s)
{
    MassSheet sheet;
    if (!MassHaulSheetOfCurrent(s, sheet)) return;
    frmMassHaul window(parent, std::move(sheet));
    window.exec();
}

} // namespace mardex
