// The File menu, the toolbar's file buttons, the report commands and the
// Stickup Sheets button.
#include "frmMain.h"

#include "PreviewLauncher.h"
#include "StickupLauncher.h"
#include "frmMassHaul.h"
#include "app/ExitFlow.h"
#include "app/FileCommands.h"
#include "app/ForeignDocument.h"
#include "app/ReportCommands.h"
#include "app/ReportTableExport.h"

#include <QAction>
#include <QPushButton>

using namespace mardex;

void frmMain::connectFileMenu()
{
    connect(mnuFileNew, &QAction::triggered, this, [this] { run("New", UndoHistory::Kind::NewState, [this] { mnuFileNew_Click(*s_); }); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { run("Open", UndoHistory::Kind::NewState, [this] { mnuFileOpen_Click(*s_); }); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { run([this] { mnuFileSave_Click(*s_); }); });
    connect(mnuFileSaveAs, &QAction::triggered, this, [this] { run([this] { mnuFileSaveAs_Click(*s_); }); });
    connect(mnuImportFile, &QAction::triggered, this, [this] { run("Import", UndoHistory::Kind::Edit, [this] { mnuImportFile_Click(*s_); }); });
    connect(mnuExportSheetCsv, &QAction::triggered, this, [this] { run([this] { mnuExportSheetCsv_Click(*s_); }); });
    connect(mnuExportReportCsv, &QAction::triggered, this, [this] { run([this] { mnuExportReportCsv_Click(*s_); }); });
    connect(mnuTotal, &QAction::triggered, this, [this] { run([this] { mnuTotal_Click(*s_); }); });
    connect(mnuAccumulated, &QAction::triggered, this, [this] { run([this] { mnuAccumulated_Click(*s_); }); });
    connect(mnuMassHaul, &QAction::triggered, this, [this] { run([this] { ShowMassHaul(this, *s_); }); });
    connect(mnuFileExit, &QAction::triggered, this, [this] {
        // A cancelled exit leaves the window open.
        if (!exiting_) mnuFileExit_Click(*s_);
        if (!exiting_) sync();
    });
    connect(Command2, &QPushButton::clicked, this, [this] { run([this] { RunStickupSheets(this, *s_); }); });
}

void frmMain::ShowPreview()
{
    ShowReportPreview(this, *s_);
}
