#include "frmMassHaul.h"

#include "MassHaulView.h"
#include "PrinterTarget.h"
#include "ScreenFit.h"

#include "app/HaulSitesTable.h"
#include "app/MassHaulInputs.h"
#include "app/MassHaulSheet.h"
#include "app/Session.h"
#include "clpsolver/ClpTransportSolver.h"
#include "compute/HaulPlanTable.h"
#include "compute/HaulTable.h"
#include "formats/AtomicFile.h"
#include "render/HaulPlanDrawing.h"
#include "render/MassHaulDiagram.h"
#include "qtsurface/MassHaulExport.h"
#include "qtsurface/PdfReport.h"
#include "qtsurface/QPainterSurface.h"
#include "text/NumberText.h"
#include "text/PathText.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace mardex {

namespace {

QString FromText(const std::string& text) { return QString::fromLocal8Bit(text.c_str()); }

// Rows of text fields into a read-only table.
void FillTable(QTableWidget* table, const QStringList& header, const std::vector<std::vector<std::string>>& rows,
               int firstNumberColumn)
{
    table->clear();
    table->setColumnCount(static_cast<int>(header.size()));
    table->setHorizontalHeaderLabels(header);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(rows[static_cast<std::size_t>(r)].size()); ++c) {
            auto* item = new QTableWidgetItem(FromText(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]));
            if (c >= firstNumberColumn) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    table->resizeColumnsToContents();
}

QTableWidget* ReadOnlyTable(QWidget* parent, const char* name)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    return table;
}

QPushButton* Button(QWidget* parent, const char* text, const char* name)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

std::string SitesPathOf(const Session& s)
{
    if (s.doc.LogMode || ToUpper(s.doc.CurrentFileName) == "UNTITLED" || s.doc.CurrentFileName.empty()) return "";
    return HaulSitesPathOf(s.doc.CurrentFileName);
}

} // namespace

frmMassHaul::frmMassHaul(QWidget* parent, MassSheet sheet, const std::string& sitesPath)
    : QWidget(parent, Qt::Window), sheet_(std::move(sheet)), sites_(std::make_unique<HaulSitesTable>(sitesPath))
{
    setObjectName("frmMassHaul");
    setWindowTitle(FromText("Mass Haul - " + sheet_.tabName));
    resize(1000, 760);
    BoundToScreen(*this);

    view_ = new MassHaulView(sheet_, haul_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidgetResizable(true);

    haulTable = ReadOnlyTable(this, "grdHaulTable");
    auto* pages = new QTabWidget(this);
    pages->setObjectName("tabHaul");
    pages->addTab(haulTable, "Haul table");
    pages->addTab(BuildSitesPage(), "Sites");
    pages->addTab(BuildPlanPage(), "Plan");

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(scroll_);
    split->addWidget(pages);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    // The diagram gets most of the height; the tables scroll.
    split->setSizes({3000, 1000});
    pages->setMinimumHeight(120);

    statusLine = new QLabel(this);
    statusLine->setObjectName("lblStatus");
    statusLine->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildBoxes());
    layout->addWidget(split);
    layout->addWidget(statusLine);

    if (!sites_->loadError().empty()) Status("refused: " + sites_->loadError(), true);
    ShowSites();
    Recompute();
}

frmMassHaul::~frmMassHaul() = default;

QWidget* frmMassHaul::BuildBoxes()
{
    auto* row = new QWidget(this);
    const QString unit = sheet_.metric ? "m" : "ft";
    freeHaulBox = new QLineEdit(row);
    freeHaulBox->setObjectName("txtFreeHaul");
    overhaulPriceBox = new QLineEdit(row);
    overhaulPriceBox->setObjectName("txtOverhaulPrice");
    QSettings settings("Mardex", "Mardex");
    freeHaulBox->setText(settings.value("MassHaul/FreeHaul").toString());
    overhaulPriceBox->setText(settings.value("MassHaul/OverhaulPrice").toString());

    auto* fit = Button(row, "Zoom to &Fit", "cmdZoomFit");
    auto* zoomIn = Button(row, "Zoom &In", "cmdZoomIn");
    auto* zoomOut = Button(row, "Zoom &Out", "cmdZoomOut");
    auto* print = Button(row, "&Print...", "cmdPrint");
    auto* exportButton = Button(row, "&Export...", "cmdExport");
    auto* close = Button(row, "&Close", "cmdClose");

    auto* rows = new QVBoxLayout(row);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(new QLabel("Free-haul distance (" + unit + "):", row));
    boxes->addWidget(freeHaulBox);
    boxes->addWidget(new QLabel("Overhaul price:", row));
    boxes->addWidget(overhaulPriceBox);
    boxes->addStretch();
    // The buttons on a row of their own: at twice the scale (800 units on a
    // 1600-pixel screen) one row would push Close off the window.
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, zoomIn, zoomOut, print, exportButton}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    rows->addLayout(boxes);
    rows->addLayout(buttons);

    connect(freeHaulBox, &QLineEdit::textChanged, this, [this] { Recompute(); });
    connect(overhaulPriceBox, &QLineEdit::textChanged, this, [this] { Recompute(); });
    connect(fit, &QPushButton::clicked, this, [this] { ZoomToFit(); });
    connect(zoomIn, &QPushButton::clicked, this, [this] { Zoom(1.25); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { Zoom(0.8); });
    connect(print, &QPushButton::clicked, this, [this] { PrintDiagram(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { Export(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return row;
}

QWidget* frmMassHaul::BuildSitesPage()
{
    auto* page = new QWidget(this);
    sitesTable = new QTableWidget(page);
    sitesTable->setObjectName("grdSites");
    sitesTable->verticalHeader()->setVisible(false);
    auto* add = Button(page, "&Add", "cmdAddSite");
    auto* remove = Button(page, "&Delete", "cmdDeleteSite");
    auto* undo = Button(page, "&Undo", "cmdUndoSites");
    auto* redo = Button(page, "&Redo", "cmdRedoSites");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, remove, undo, redo}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(sitesTable);
    layout->addLayout(buttons);
    connect(sitesTable, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { SiteEdited(item->row()); });
    connect(add, &QPushButton::clicked, this, [this] { AddSite(); });
    connect(remove, &QPushButton::clicked, this, [this] { DeleteSite(); });
    connect(undo, &QPushButton::clicked, this, [this] { UndoSites(); });
    connect(redo, &QPushButton::clicked, this, [this] { RedoSites(); });
    return page;
}

QWidget* frmMassHaul::BuildPlanPage()
{
    auto* page = new QWidget(this);
    planTable = ReadOnlyTable(page, "grdHaulPlan");
    planSummary = new QLabel(page);
    planSummary->setObjectName("lblPlan");
    planSummary->setWordWrap(true);
    showPlanCheck = new QCheckBox("Show the plan on the diagram", page);
    showPlanCheck->setObjectName("chkShowPlan");
    showPlanCheck->setChecked(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(planSummary);
    layout->addWidget(showPlanCheck);
    layout->addWidget(planTable);
    connect(showPlanCheck, &QCheckBox::toggled, this, [this] { Recompute(); });
    return page;
}

void frmMassHaul::Status(const std::string& text, bool refusal)
{
    statusLine->setText(FromText(text));
    statusLine->setStyleSheet(refusal ? "color: #b00000;" : "");
}

void frmMassHaul::ShowSheet(MassSheet sheet, const std::string& sitesPath)
{
    sheet_ = std::move(sheet);
    setWindowTitle(FromText("Mass Haul - " + sheet_.tabName));
    if (sitesPath != sites_->path()) {
        sites_ = std::make_unique<HaulSitesTable>(sitesPath);
        if (!sites_->loadError().empty()) Status("refused: " + sites_->loadError(), true);
        ShowSites();
    }
    Recompute();
}

void frmMassHaul::Recompute()
{
    const HaulBoxValue freeHaul = ReadHaulBox(freeHaulBox->text().toStdString(), "Free-haul distance");
    const HaulBoxValue price = ReadHaulBox(overhaulPriceBox->text().toStdString(), "Overhaul price");
    for (auto [box, value] : {std::pair{freeHaulBox, &freeHaul}, std::pair{overhaulPriceBox, &price}})
        box->setStyleSheet(value->refusal.empty() ? "" : "background: #ffe0e0;");
    if (!freeHaul.refusal.empty() || !price.refusal.empty()) {
        // Not taken as "none": the diagram stays as it was until the box reads well.
        Status(freeHaul.refusal.empty() ? price.refusal : freeHaul.refusal, true);
        boxRefused_ = true;
        return;
    }
    if (boxRefused_) Status("", false);
    boxRefused_ = false;
    HaulOptions options;
    options.freeHaul = freeHaul.value.value_or(0);
    if (options.FreeHaulGiven()) options.price = price.value;
    haul_ = AnalyseHaul(sheet_.rows, options);
    plan_.reset();
    if (freeHaul.value && price.value) {
        ClpTransportSolver solver;
        plan_ = PlanHaul(sheet_.rows, sites_->sites(), {*freeHaul.value, *price.value}, solver);
        if (plan_->ok() && showPlanCheck->isChecked()) haul_.plan = plan_;
    }
    QSettings settings("Mardex", "Mardex");
    settings.setValue("MassHaul/FreeHaul", freeHaulBox->text());
    settings.setValue("MassHaul/OverhaulPrice", overhaulPriceBox->text());
    ShowTable();
    ShowPlan();
    view_->Changed();
}

void frmMassHaul::ShowTable()
{
    std::vector<std::vector<std::string>> rows;
    for (const HaulLine& l : haul_.lines) rows.push_back(HaulTableFields(haul_, l));
    rows.push_back(HaulTableFields(haul_, haul_.total));
    FillTable(haulTable, QString(HaulTableHeader).split(','), rows, 4);
}

void frmMassHaul::ShowPlan()
{
    if (!plan_) {
        planSummary->setText("Give the free-haul distance and the overhaul price to plan the haul.");
        FillTable(planTable, QString(HaulPlanHeader).split(','), {}, 3);
        return;
    }
    if (!plan_->ok()) {
        planSummary->setText(FromText(plan_->refusal));
        FillTable(planTable, QString(HaulPlanHeader).split(','), {}, 3);
        return;
    }
    planSummary->setText(FromText(HaulPlanCaption(*plan_, haul_, sheet_.metric)));
    FillTable(planTable, QString(HaulPlanHeader).split(','), HaulPlanLines(*plan_), 3);
}

void frmMassHaul::ShowSites()
{
    showingSites_ = true;
    const auto& sites = sites_->sites().sites;
    sitesTable->clear();
    sitesTable->setColumnCount(6);
    sitesTable->setHorizontalHeaderLabels(QString(HaulSitesHeader).split(','));
    sitesTable->setRowCount(static_cast<int>(sites.size()));
    for (int r = 0; r < static_cast<int>(sites.size()); ++r) {
        const auto fields = HaulSitesTable::Fields(sites[static_cast<std::size_t>(r)]);
        for (int c = 0; c < 6; ++c) sitesTable->setItem(r, c, new QTableWidgetItem(FromText(fields[static_cast<std::size_t>(c)])));
    }
    sitesTable->resizeColumnsToContents();
    showingSites_ = false;
}

void frmMassHaul::SitesChanged(const std::string& error)
{
    if (!error.empty()) Status("refused: " + (sites_->path().empty() ? std::string() : StripFile(sites_->path()) + ": ") + error, true);
    ShowSites();
    if (error.empty()) Recompute();
}

void frmMassHaul::SiteEdited(int row)
{
    if (showingSites_) return;
    std::vector<std::string> fields;
    for (int c = 0; c < sitesTable->columnCount(); ++c) {
        const QTableWidgetItem* item = sitesTable->item(row, c);
        fields.push_back(item ? item->text().toStdString() : std::string());
    }
    SitesChanged(sites_->Edit(static_cast<std::size_t>(row), fields));
}

void frmMassHaul::AddSite()
{
    // A new site at the sheet's first station; its cells are edited in place.
    const std::string station = sheet_.rows.empty() ? "00+00.000" : sheet_.rows.front().stationText;
    std::string name;
    for (std::size_t n = sites_->sites().sites.size() + 1; name.empty(); ++n) {
        name = "SITE " + std::to_string(n);
        for (const HaulSite& s : sites_->sites().sites)
            if (s.name == name) name.clear();
    }
    SitesChanged(sites_->Add({name, "borrow", station, "0", "", "0"}));
}

void frmMassHaul::DeleteSite()
{
    const int row = sitesTable->currentRow();
    if (row >= 0) SitesChanged(sites_->Remove(static_cast<std::size_t>(row)));
}

void frmMassHaul::UndoSites() { SitesChanged(sites_->Undo()); }

void frmMassHaul::RedoSites() { SitesChanged(sites_->Redo()); }

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
    // The document's paper, as for its reports; the user's choice in the dialog is kept.
    printer.setPageSize(ReportPaper(sheet_.metric ? 1 : 0));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName("Mass haul diagram");
    QPrintDialog dialog(&printer, this);
    if (ExecKeepingPaper(dialog, printer) != QDialog::Accepted) return;
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
    const struct {
        const char* filter;
        const char* extension;
    } kinds[] = {{"PDF (*.pdf)", "pdf"}, {"SVG (*.svg)", "svg"}, {"PNG picture (*.png)", "png"},
                 {"Haul table CSV (*.csv)", "csv"}, {"Haul plan CSV (*.csv)", "csv"}};
    QStringList filters;
    for (const auto& k : kinds) filters << k.filter;
    QString chosen = filters.front();
    const QString path = QFileDialog::getSaveFileName(this, "Export Mass Haul",
                                                      FromText(FolderOf(sites_->path()) + ProposedExportName(sheet_.tabName, "pdf")),
                                                      filters.join(";;"), &chosen);
    if (path.isEmpty()) return;
    const auto kind = static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(chosen)));
    ExportTo(FromText(WithExportExtension(path.toLocal8Bit().toStdString(), kinds[kind].extension)), kind == 4);
}

void frmMassHaul::ExportTo(const QString& path, bool plan)
{
    const std::string file = path.toLocal8Bit().toStdString();
    std::string error;
    bool written = false;
    if (plan && (!plan_ || !plan_->ok())) {
        error = file + ": no haul plan to export: " + (plan_ ? plan_->refusal : "give the free-haul distance and the overhaul price");
    } else if (path.endsWith(".csv", Qt::CaseInsensitive)) {
        const auto result = WriteFileAtomically(file, plan ? HaulPlanText(*plan_) : HaulTableText(haul_));
        written = result.ok;
        error = result.error;
    } else {
        written = WriteMassHaulFile(sheet_, haul_, file, error);
    }
    if (written) {
        Status(file + ": exported", false);
    } else {
        Status(error, true);
        QMessageBox::warning(this, "Mardex", FromText(error));
    }
}

void ShowMassHaul(QWidget* parent, Session& s)
{
    MassSheet sheet;
    if (!MassHaulSheetOfCurrent(s, sheet)) return;
    auto* window = parent ? parent->findChild<frmMassHaul*>("frmMassHaul", Qt::FindDirectChildrenOnly) : nullptr;
    if (window) {
        window->ShowSheet(std::move(sheet), SitesPathOf(s));
    } else {
        window = new frmMassHaul(parent, std::move(sheet), SitesPathOf(s));
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->followed = &s;
    window->show();
    window->raise();
    window->activateWindow();
}

void frmMassHaul::FollowCurrentSheet()
{
    // Typing calls this at every key: the sheet is computed once the keys rest.
    if (!followTimer_) {
        followTimer_ = new QTimer(this);
        followTimer_->setSingleShot(true);
        connect(followTimer_, &QTimer::timeout, this, [this] {
            if (!followed) return;
            MassSheet sheet;
            std::string why;
            if (QuietMassSheetOfCurrent(*followed, sheet, why)) ShowSheet(std::move(sheet), SitesPathOf(*followed));
            else Status("The diagram is not the current sheet's: " + why, true);
        });
    }
    followTimer_->start(250);
}

void FollowMassHaul(QWidget* parent, Session& s)
{
    auto* window = parent ? parent->findChild<frmMassHaul*>("frmMassHaul", Qt::FindDirectChildrenOnly) : nullptr;
    if (window && window->isVisible() && window->followed == &s) window->FollowCurrentSheet();
}

} // namespace mardex
