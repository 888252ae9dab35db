// The View and Help menus.
#include "frmMain.h"

#include "AboutBox.h"
#include "app/ViewMenu.h"

#include <QAction>

using namespace mardex;

void frmMain::connectViewMenu()
{
    connect(mnuViewToolbar, &QAction::triggered, this, [this] { run([this] { mnuViewToolbar_Click(*s_); }); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { run([this] { mnuViewStatusBar_Click(*s_); }); });
    connect(mnuViewRefresh, &QAction::triggered, this, [this] { run([this] { mnuViewRefresh_Click(*s_); }); });
    connect(mnuHelpContents, &QAction::triggered, this, [this] { run([this] { mnuHelpContents_Click(*s_); }); });
    connect(mnuHelpSearchForHelpOn, &QAction::triggered, this,
            [this] { run([this] { mnuHelpSearchForHelpOn_Click(*s_); }); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
}

void frmMain::mnuHelpAbout_Click()
{
    AboutBox about(this);
    about.exec();
}
