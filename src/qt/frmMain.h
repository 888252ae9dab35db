#pragma once
// The main window: menus, toolbar, status bar, header fields, tab strip and
// grid. It owns the Session, forwards every user event to the core handler
// of the same name and mirrors the core's FormModel into its widgets after
// each handler (sync). Handlers live in files by subsystem: frmMainGrid.cpp,
// frmMainTabs.cpp, frmMainFile.cpp, frmMainHeader.cpp, frmMainView.cpp.
#include "app/Session.h"
#include "app/WindowHooks.h"

#include <QMainWindow>
#include <QPoint>

#include <array>
#include <memory>

class GridTableModel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabBar;
class QTableView;
class QTimer;
class QToolBar;

class frmMain : public QMainWindow, public mardex::WindowHooks {
    Q_OBJECT
public:
    // programFolder holds the settings file "mardex3.ini". Without a prompter
    // the window shows real dialogs; tests pass a scripted one.
    explicit frmMain(const QString& programFolder, mardex::Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    mardex::Session& session() { return *s_; }

    // Mirrors the core's state of the window into the widgets.
    void sync();

    // WindowHooks
    void ShowPreview() override;
    void ExitProgram() override;
    void PopupPrintPreviewMenu() override;

    // The controls, named as the program names them.
    QTableView* grid = nullptr;
    QTabBar* TabStrip1 = nullptr;
    std::array<QLineEdit*, 3> txtDescri{};
    QLineEdit* txtShrinkFactor = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton *optMetric = nullptr, *optEnglish = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QToolBar* tbToolBar = nullptr;
    QStatusBar* sbStatusBar = nullptr;
    std::array<QLabel*, 3> sbPanels{};

    QMenu *mnuFile = nullptr, *mnuFilePrintPreview = nullptr, *mnuEdit = nullptr, *mnuGroup = nullptr,
          *mnuRow = nullptr, *mnuView = nullptr, *mnuHelp = nullptr;
    QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr,
            *mnuTotal = nullptr, *mnuAccumulated = nullptr, *mnuMassHaul = nullptr, *mnuImportFile = nullptr, *mnuFileExit = nullptr,
            *mnuGroupInsert = nullptr, *mnuGroupDelete = nullptr, *mnuGroupRename = nullptr,
            *mnuRowInsert = nullptr, *mnuRowDelete = nullptr, *mnuViewToolbar = nullptr,
            *mnuViewStatusBar = nullptr, *mnuViewRefresh = nullptr, *mnuHelpContents = nullptr,
            *mnuHelpSearchForHelpOn = nullptr, *mnuHelpAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs a core handler, then mirrors the state.
    template <class F> void run(F&& handler);

    // frmMain.cpp: construction, settings, closing.
    void buildMenus();
    void buildToolbarAndStatusBar();
    void buildCentral();
    void restorePosition();
    void Form_Unload();
    void updateActions();
    void applyFocus();

    // frmMainGrid.cpp
    void connectGrid();
    void syncGrid();
    bool gridKeyPress(class QKeyEvent* event);
    void placeCombo1();
    void Command1_GotFocus();
    bool combo1Event(QEvent* event);

    // frmMainTabs.cpp
    void connectTabs();
    void syncTabs();
    bool tabStripMouseUp(class QMouseEvent* event);

    // frmMainHeader.cpp
    void connectHeader();
    void syncHeader();
    bool descriEvent(int index, QEvent* event);

    // frmMainFile.cpp
    void connectFileMenu();

    // frmMainView.cpp
    void connectViewMenu();
    void mnuHelpAbout_Click();

    std::unique_ptr<mardex::Prompter> ownPrompter_;
    std::unique_ptr<mardex::Session> s_;
    GridTableModel* gridModel_ = nullptr;
    QTimer* clock_ = nullptr;
    QPoint popupAt_;
    bool syncing_ = false;
    bool exiting_ = false;   // the program itself asked to close
    bool inClose_ = false;   // inside the close box's prompt
    bool destroying_ = false;
};

template <class F>
void frmMain::run(F&& handler)
{
    handler();
    sync();
}
