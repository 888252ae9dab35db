#include "frmMain.h"

#include "GridTableModel.h"
#include "QtPrompter.h"
#include "QtText.h"
#include "StartupIcons.h"
#include "frmMassHaul.h"
#include "app/ExitFlow.h"
#include "app/MainForm.h"
#include "app/PresetFilePrompter.h"
#include "app/UserFiles.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTime>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

using namespace mardex;

namespace {

constexpr int DefaultPositionTwips = 1000;

int TwipsToPixels(int twips, int dpi) { return twips * dpi / 1440; }
int PixelsToTwips(int pixels, int dpi) { return pixels * 1440 / dpi; }

} // namespace

frmMain::frmMain(const QString& programFolder, Prompter* prompter, QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmMain");
    if (!prompter) {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        prompter = ownPrompter_.get();
    }
    files_ = std::make_unique<PresetFilePrompter>(*prompter);
    s_ = std::make_unique<Session>(*files_);
    s_->hooks = this;
    s_->ProgramFolder = ToPath(programFolder);
    s_->SettingsFolder = PrepareUserSettings(s_->ProgramFolder);

    buildMenus();
    buildToolbarAndStatusBar();
    buildCentral();
    connectGrid();
    connectTabs();
    connectHeader();
    connectFileMenu();
    connectViewMenu();
    buildDesktopFeatures();
    resize(860, 600);

    restorePosition();
    Form_Load(*s_);
    sync();
}

frmMain::~frmMain()
{
    // The widgets read the session: they go before it does, and their last
    // events reach no handler.
    destroying_ = true;
    clock_->stop();
    recoveryTimer_->stop();
    delete takeCentralWidget();
    delete gridModel_;
    gridModel_ = nullptr;
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    mnuFile = bar->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnuFileNew = mnuFile->addAction("&New");
    mnuFileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = mnuFile->addAction("&Open...");
    mnuFile->addSeparator();
    mnuFileSave = mnuFile->addAction("&Save");
    mnuFileSaveAs = mnuFile->addAction("Save &As...");
    mnuFile->addSeparator();
    mnuFilePrintPreview = mnuFile->addMenu("Print Pre&view");
    mnuFilePrintPreview->setObjectName("mnuFilePrintPreview");
    mnuTotal = mnuFilePrintPreview->addAction("&Total");
    mnuAccumulated = mnuFilePrintPreview->addAction("&Accumulated");
    mnuMassHaul = mnuFilePrintPreview->addAction("&Mass Haul");
    mnuFile->addSeparator();
    mnuImportFile = mnuFile->addAction("Import MDX File");
    mnuFileExport = mnuFile->addMenu("&Export");
    mnuFileExport->setObjectName("mnuFileExport");
    mnuExportSheetCsv = mnuFileExport->addAction("Sheet as &CSV...");
    mnuExportReportCsv = mnuFileExport->addAction("&Report table as CSV...");
    mnuFile->addSeparator();
    mnuFileExit = mnuFile->addAction("E&xit");

    mnuEdit = bar->addMenu("&Edit");
    mnuEdit->setObjectName("mnuEdit");
    mnuEditUndo = mnuEdit->addAction("&Undo");
    mnuEditUndo->setShortcut(QKeySequence::Undo);
    mnuEditRedo = mnuEdit->addAction("&Redo");
    mnuEditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuEdit->addSeparator();
    mnuEditCut = mnuEdit->addAction("Cu&t");
    mnuEditCut->setShortcut(QKeySequence::Cut);
    mnuEditCopy = mnuEdit->addAction("&Copy");
    mnuEditCopy->setShortcut(QKeySequence::Copy);
    mnuEditPaste = mnuEdit->addAction("&Paste");
    mnuEditPaste->setShortcut(QKeySequence::Paste);
    mnuEditSelectAll = mnuEdit->addAction("Select &All");
    mnuEditSelectAll->setShortcut(QKeySequence::SelectAll);
    mnuEdit->addSeparator();
    mnuGroup = mnuEdit->addMenu("Group");
    mnuGroup->setObjectName("mnuGroup");
    mnuGroupInsert = mnuGroup->addAction("Insert");
    mnuGroupDelete = mnuGroup->addAction("Delete");
    mnuGroupRename = mnuGroup->addAction("Rename");
    mnuRow = mnuEdit->addMenu("Row");
    mnuRow->setObjectName("mnuRow");
    mnuRowInsert = mnuRow->addAction("Insert");
    mnuRowDelete = mnuRow->addAction("Delete");

    mnuView = bar->addMenu("&View");
    mnuView->setObjectName("mnuView");
    mnuViewToolbar = mnuView->addAction("&Toolbar");
    mnuViewToolbar->setCheckable(true);
    mnuViewStatusBar = mnuView->addAction("Status &Bar");
    mnuViewStatusBar->setCheckable(true);
    mnuView->addSeparator();
    mnuViewRefresh = mnuView->addAction("&Refresh");

    mnuHelp = bar->addMenu("&Help");
    mnuHelp->setObjectName("mnuHelp");
    mnuHelpContents = mnuHelp->addAction("&Contents");
    mnuHelpSearchForHelpOn = mnuHelp->addAction("&Search For Help On...");
    mnuHelp->addSeparator();
    mnuHelpAbout = mnuHelp->addAction("&About ");

    const std::pair<QAction*, const char*> names[] = {
        {mnuFileNew, "mnuFileNew"}, {mnuFileOpen, "mnuFileOpen"}, {mnuFileSave, "mnuFileSave"},
        {mnuFileSaveAs, "mnuFileSaveAs"}, {mnuTotal, "mnuTotal"}, {mnuAccumulated, "mnuAccumulated"}, {mnuMassHaul, "mnuMassHaul"},
        {mnuImportFile, "mnuImportFile"}, {mnuExportSheetCsv, "mnuExportSheetCsv"}, {mnuExportReportCsv, "mnuExportReportCsv"}, {mnuEditUndo, "mnuEditUndo"}, {mnuEditRedo, "mnuEditRedo"},
        {mnuEditCut, "mnuEditCut"}, {mnuEditCopy, "mnuEditCopy"}, {mnuEditPaste, "mnuEditPaste"}, {mnuEditSelectAll, "mnuEditSelectAll"}, {mnuFileExit, "mnuFileExit"}, {mnuGroupInsert, "mnuGroupInsert"},
        {mnuGroupDelete, "mnuGroupDelete"}, {mnuGroupRename, "mnuGroupRename"}, {mnuRowInsert, "mnuRowInsert"},
        {mnuRowDelete, "mnuRowDelete"}, {mnuViewToolbar, "mnuViewToolbar"}, {mnuViewStatusBar, "mnuViewStatusBar"},
        {mnuViewRefresh, "mnuViewRefresh"}, {mnuHelpContents, "mnuHelpContents"},
        {mnuHelpSearchForHelpOn, "mnuHelpSearchForHelpOn"}, {mnuHelpAbout, "mnuHelpAbout"},
    };
    for (const auto& [action, name] : names) action->setObjectName(name);
}

void frmMain::buildToolbarAndStatusBar()
{
    tbToolBar = addToolBar("tbToolBar");
    tbToolBar->setObjectName("tbToolBar");
    tbToolBar->setMovable(false);
    QAction* tbNew = tbToolBar->addAction(ToolbarIcon(ToolbarPicture::NewFile), "New");
    QAction* tbOpen = tbToolBar->addAction(ToolbarIcon(ToolbarPicture::OpenFile), "Open");
    tbNew->setObjectName("New");
    tbOpen->setObjectName("Open");
    // The buttons run exactly the File menu's commands. Save is the menu's
    // own action, so the button is enabled exactly when the menu item is.
    connect(tbNew, &QAction::triggered, mnuFileNew, &QAction::trigger);
    connect(tbOpen, &QAction::triggered, mnuFileOpen, &QAction::trigger);
    mnuFileSave->setIcon(ToolbarIcon(ToolbarPicture::SaveFile));
    mnuFileSave->setIconVisibleInMenu(false);
    tbToolBar->addAction(mnuFileSave);
    if (QWidget* tbSave = tbToolBar->widgetForAction(mnuFileSave)) {
        tbSave->setObjectName("Save");
        tbSave->setToolTip("Save");
    }

    sbStatusBar = statusBar();
    sbStatusBar->setObjectName("sbStatusBar");
    for (int i = 0; i < 3; ++i) {
        sbPanels[i] = new QLabel(sbStatusBar);
        sbPanels[i]->setFrameShape(QFrame::StyledPanel);
        sbPanels[i]->setFrameShadow(QFrame::Sunken);
    }
    sbPanels[0]->setObjectName("Status");
    sbStatusBar->addWidget(sbPanels[0], 1);
    sbStatusBar->addPermanentWidget(sbPanels[1]);
    sbStatusBar->addPermanentWidget(sbPanels[2]);
    clock_ = new QTimer(this);
    auto tick = [this] {
        sbPanels[1]->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        sbPanels[2]->setText(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
    };
    connect(clock_, &QTimer::timeout, this, tick);
    tick();
    clock_->start(1000);
}

void frmMain::buildCentral()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QVBoxLayout(central);

    auto* header = new QGridLayout;
    layout->addLayout(header);
    const char* descriNames[] = {"txtDescri0", "txtDescri1", "txtDescri2"};
    Label1 = new QLabel("Designer:", central);
    Label2 = new QLabel("Project No:", central);
    Label3 = new QLabel("Control No:", central);
    QLabel* descriLabels[] = {Label1, Label2, Label3};
    for (int i = 0; i < 3; ++i) {
        txtDescri[i] = new QLineEdit(central);
        txtDescri[i]->setObjectName(descriNames[i]);
        descriLabels[i]->setBuddy(txtDescri[i]);
        header->addWidget(descriLabels[i], 0, 2 * i);
        header->addWidget(txtDescri[i], 0, 2 * i + 1);
    }
    Label4 = new QLabel("Balance Factor:", central);
    txtShrinkFactor = new QLineEdit(central);
    txtShrinkFactor->setObjectName("txtShrinkFactor");
    Label4->setBuddy(txtShrinkFactor);
    header->addWidget(Label4, 1, 0);
    header->addWidget(txtShrinkFactor, 1, 1);
    Check1 = new QCheckBox("Earthwork measured in Embankment", central);
    Check1->setObjectName("Check1");
    header->addWidget(Check1, 1, 2, 1, 2);

    auto* units = new QHBoxLayout;
    Frame1 = new QGroupBox(central);
    Frame1->setObjectName("Frame1");
    auto* frameLayout = new QHBoxLayout(Frame1);
    frameLayout->setContentsMargins(6, 2, 6, 2);
    optMetric = new QRadioButton("Metric System", Frame1);
    optEnglish = new QRadioButton("English System", Frame1);
    optMetric->setObjectName("optMetric");
    optEnglish->setObjectName("optEnglish");
    // The core decides which one is selected, including neither.
    optMetric->setAutoExclusive(false);
    optEnglish->setAutoExclusive(false);
    frameLayout->addWidget(optMetric);
    frameLayout->addWidget(optEnglish);
    Label5 = new QLabel(central);
    Label5->setObjectName("Label5");
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);
    units->addWidget(Frame1);
    units->addWidget(Label5);
    units->addStretch(1);
    header->addLayout(units, 1, 4);

    Command2 = new QPushButton("Stickup Sheets", central);
    Command2->setObjectName("Command2");
    Command1 = new QPushButton(central);
    Command1->setObjectName("Command1");
    Command1->setFixedSize(10, 10);
    Command1->setFlat(true);
    Command1->setFocusPolicy(Qt::TabFocus);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    header->addLayout(buttons, 1, 5);
    header->setColumnStretch(1, 1);
    header->setColumnStretch(3, 1);
    header->setColumnStretch(5, 1);

    TabStrip1 = new QTabBar(central);
    TabStrip1->setObjectName("TabStrip1");
    TabStrip1->setExpanding(false);
    TabStrip1->setDrawBase(true);
    layout->addWidget(TabStrip1);

    grid = new QTableView(central);
    grid->setObjectName("grid");
    gridModel_ = new GridTableModel(s_->form.grid, this);
    grid->setModel(gridModel_);
    layout->addWidget(grid, 1);

    Text1 = new QPlainTextEdit(central);
    Text1->setObjectName("Text1");
    // Hidden at start: the core gives it its explanation when a log is shown.
    Text1->setReadOnly(true);
    Text1->hide();
    layout->addWidget(Text1, 1);

    Combo1 = new QComboBox(grid->viewport());
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->hide();
}

void frmMain::restorePosition()
{
    QSettings settings("Mardex", "Mardex");
    settings.beginGroup("Settings");
    const int dpi = logicalDpiX();
    const int left = settings.value("MainLeft", DefaultPositionTwips).toInt();
    const int top = settings.value("MainTop", DefaultPositionTwips).toInt();
    // Only the position is restored; the size is the window's own.
    move(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi));
}

void frmMain::Form_Unload()
{
    // Other windows first, the last opened first.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (*it != this && (*it)->isVisible()) (*it)->close();
    if (isMinimized()) return;
    QSettings settings("Mardex", "Mardex");
    settings.beginGroup("Settings");
    const int dpi = logicalDpiX();
    const QRect frame = frameGeometry();
    settings.setValue("MainLeft", QString::number(PixelsToTwips(frame.x(), dpi)));
    settings.setValue("MainTop", QString::number(PixelsToTwips(frame.y(), dpi)));
    settings.setValue("MainWidth", QString::number(PixelsToTwips(frame.width(), dpi)));
    settings.setValue("MainHeight", QString::number(PixelsToTwips(frame.height(), dpi)));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!exiting_) {
        inClose_ = true;
        const int cancel = Form_QueryUnload(*s_, vbFormControlMenu);
        inClose_ = false;
        sync();
        if (cancel != 0 && !exiting_) {
            event->ignore();
            return;
        }
    } else {
        Form_QueryUnload(*s_, vbFormCode);
    }
    Form_Unload();
    // A clean exit leaves no recovery copy behind.
    dropRecoveryCopy();
    event->accept();
}

void frmMain::ExitProgram()
{
    exiting_ = true;
    // Inside the close box's prompt the close already under way goes on.
    if (!inClose_) close();
}

void frmMain::sync()
{
    if (syncing_) return;
    syncing_ = true;
    const FormModel& f = s_->form;
    const QString caption = FromMessage(f.Caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    syncHeader();
    syncTabs();
    syncGrid();
    if (!f.logExplanation.text.empty()) {
        const QString explanation = FromMessage(f.logExplanation.text).remove('\r');
        if (Text1->toPlainText() != explanation) Text1->setPlainText(explanation);
    }
    Text1->setVisible(f.logExplanation.visible);
    Text1->setEnabled(f.logExplanation.enabled);
    Text1->setReadOnly(true);
    updateActions();
    sbPanels[0]->setText(FromMessage(f.StatusText));
    followDocument();
    mardex::FollowMassHaul(this, *s_);
    syncing_ = false;
    applyFocus();
}

void frmMain::updateActions()
{
    const FormModel& f = s_->form;
    mnuFileSave->setEnabled(f.mnuFileSaveEnabled);
    mnuFileSaveAs->setEnabled(f.mnuFileSaveAsEnabled);
    mnuEdit->setEnabled(f.mnuEditEnabled);
    mnuEdit->menuAction()->setEnabled(f.mnuEditEnabled);
    mnuImportFile->setEnabled(f.mnuImportFileEnabled);
    mnuExportSheetCsv->setEnabled(!s_->doc.LogMode);
    // A log's figures are the log report's, not a sheet's Total report.
    mnuExportReportCsv->setEnabled(!s_->doc.LogMode);
    mnuEditUndo->setEnabled(history_.CanUndo() && !s_->doc.LogMode);
    mnuEditUndo->setText(history_.CanUndo() ? "&Undo " + FromMessage(history_.UndoName()) : "&Undo");
    mnuEditRedo->setEnabled(history_.CanRedo() && !s_->doc.LogMode);
    mnuEditRedo->setText(history_.CanRedo() ? "&Redo " + FromMessage(history_.RedoName()) : "&Redo");
    mnuImportFile->setText(FromMessage(ImportCaption(f.importKind)));
    mnuViewToolbar->setChecked(f.mnuViewToolbarChecked);
    mnuViewStatusBar->setChecked(f.mnuViewStatusBarChecked);
    tbToolBar->setVisible(f.mnuViewToolbarChecked);
    sbStatusBar->setVisible(f.mnuViewStatusBarChecked);
}

void frmMain::applyFocus()
{
    FocusTarget target = s_->form.Focus;
    s_->form.Focus = FocusTarget::None;
    QWidget* w = nullptr;
    switch (target) {
    case FocusTarget::None: return;
    case FocusTarget::Grid: w = grid; break;
    case FocusTarget::Designer: w = txtDescri[0]; break;
    case FocusTarget::ProjectNo: w = txtDescri[1]; break;
    case FocusTarget::ControlNo: w = txtDescri[2]; break;
    case FocusTarget::ShrinkFactor: w = txtShrinkFactor; break;
    case FocusTarget::CodeCombo: w = Combo1; break;
    case FocusTarget::Command1: w = Command1; break;
    }
    if (w && w->isVisible() && w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (destroying_) return false;
    if (watched == grid && event->type() == QEvent::KeyPress) return gridKeyPress(static_cast<QKeyEvent*>(event));
    if (watched == grid->viewport() && event->type() == QEvent::Resize) {
        const int rowHeight = std::max(1, grid->verticalHeader()->defaultSectionSize());
        s_->form.GridVisibleRows = std::max(1, grid->viewport()->height() / rowHeight);
        return false;
    }
    if (watched == Combo1 || watched == Combo1->lineEdit()) return combo1Event(event);
    if (watched == Command1 && event->type() == QEvent::FocusIn) {
        Command1_GotFocus();
        return false;
    }
    if (watched == TabStrip1 && event->type() == QEvent::MouseButtonRelease)
        return tabStripMouseUp(static_cast<QMouseEvent*>(event));
    for (int i = 0; i < 3; ++i)
        if (watched == txtDescri[i]) return descriEvent(i, event);
    return QMainWindow::eventFilter(watched, event);
}
