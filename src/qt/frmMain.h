#pragma once
// The main window: menus, toolbar, status bar, header fields, tab strip and
// grid. It owns the Session, forwards every user event to the core handler
// of the same name and mirrors the core's FormModel into its widgets after
// each handler (sync). Handlers live in files by subsystem: frmMainGrid.cpp,
// frmMainTabs.cpp, frmMainFile.cpp, frmMainHeader.cpp, frmMainView.cpp.
#include "app/Session.h"
#include "app/UndoHistory.h"
#include "app/WindowHooks.h"

#include <QMainWindow>
#include <QPoint>

#include <array>
#include <memory>

class GridTableModel;
namespace mardex { class PresetFilePrompter; }
class QDragEnterEvent;
class QDropEvent;
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
    // programFolder holds the shipped files; the user's settings file is
    // created from its "mardex3.ini" on the first start. Without a prompter
    // the window shows real dialogs; tests pass a scripted one.
    explicit frmMain(const QString& programFolder, mardex::Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    mardex::Session& session() { return *s_; }

    // Mirrors the core's state of the window into the widgets.
    void sync();

    // Opens a file as File > Open would, with its questions and messages.
    void openFile(const QString& path);
    // At start: offers to restore each recovery copy newer than its document.
    void offerRecovery();
    // Writes the recovery copy now when the document has unsaved changes
    // (the timer does so every two minutes).
    void writeRecoveryCopy();

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
          *mnuRow = nullptr, *mnuView = nullptr, *mnuHelp = nullptr, *mnuFileExport = nullptr;
    QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr,
            *mnuTotal = nullptr, *mnuAccumulated = nullptr, *mnuMassHaul = nullptr, *mnuImportFile = nullptr, *mnuFileExit = nullptr,
            *mnuGroupInsert = nullptr, *mnuGroupDelete = nullptr, *mnuGroupRename = nullptr,
            *mnuRowInsert = nullptr, *mnuRowDelete = nullptr, *mnuViewToolbar = nullptr,
            *mnuViewStatusBar = nullptr, *mnuViewRefresh = nullptr, *mnuHelpContents = nullptr,
            *mnuHelpSearchForHelpOn = nullptr, *mnuHelpAbout = nullptr, *mnuExportSheetCsv = nullptr,
            *mnuExportReportCsv = nullptr,
            *mnuEditUndo = nullptr, *mnuEditRedo = nullptr,
            *mnuEditCut = nullptr, *mnuEditCopy = nullptr, *mnuEditPaste = nullptr, *mnuEditSelectAll = nullptr;
    QMenu* mnuFileRecent = nullptr;  // File > Recent Files
    QLabel* sbModified = nullptr;    // the status bar panel saying "Modified"

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Runs a core handler, then mirrors the state.
    // A core handler, then the mirror of its state; a change of the document
    // becomes a step of the undo history under `name`.
    template <class F> void run(F&& handler) { run("Change", mardex::UndoHistory::Kind::Edit, std::forward<F>(handler)); }
    template <class F> void run(const char* name, mardex::UndoHistory::Kind kind, F&& handler);

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
    enum class ClipboardCommand { Cut, Copy, Paste };
    // Edit > Cut, Copy, Paste on the grid's selected block; in a text box, on its text.
    void clipboardCommand(ClipboardCommand command);
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
    void showHelpPage(const QString& page, void (*withoutGuide)(mardex::Session&));

    // frmMainDesktop.cpp: shortcuts, recent files, drops, recovery copies.
    void buildDesktopFeatures();
    void fillRecentMenu();
    void openRecent(const QString& path);
    // After each sync: the "Modified" panel, the recent files, stale copies.
    void followDocument();
    void dropRecoveryCopy();

    std::unique_ptr<mardex::Prompter> ownPrompter_;
    std::unique_ptr<mardex::PresetFilePrompter> files_;  // answers Open for openFile
    std::unique_ptr<mardex::Session> s_;
    mardex::UndoHistory history_;  // Edit > Undo / Redo
    GridTableModel* gridModel_ = nullptr;
    QTimer* clock_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    QString recoveryCopy_;      // the copy this window wrote, if any
    std::string recoveryFor_;   // the document it belongs to
    std::string lastDocument_;  // the name last added to the recent files
    QPoint popupAt_;
    bool syncing_ = false;
    bool exiting_ = false;   // the program itself asked to close
    bool inClose_ = false;   // inside the close box's prompt
    bool destroying_ = false;
};

template <class F>
void frmMain::run(const char* name, mardex::UndoHistory::Kind kind, F&& handler)
{
    history_.Run(*s_, name, kind, handler);
    sync();
}
