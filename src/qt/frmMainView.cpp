// The View and Help menus.
#include "frmMain.h"

#include "AboutBox.h"
#include "app/ViewMenu.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

using namespace mardex;

void frmMain::connectViewMenu()
{
    connect(mnuViewToolbar, &QAction::triggered, this, [this] { run([this] { mnuViewToolbar_Click(*s_); }); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { run([this] { mnuViewStatusBar_Click(*s_); }); });
    connect(mnuViewRefresh, &QAction::triggered, this, [this] { run([this] { mnuViewRefresh_Click(*s_); }); });
    connect(mnuHelpContents, &QAction::triggered, this,
            [this] { showHelpPage("index.html", &mnuHelpContents_Click); });
    connect(mnuHelpSearchForHelpOn, &QAction::triggered, this,
            [this] { showHelpPage("topics.html", &mnuHelpSearchForHelpOn_Click); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
}

// The user guide is shipped with the shipped files; it opens in the
// desktop's browser. Without it the program says there is no help.
void frmMain::showHelpPage(const QString& page, void (*withoutGuide)(Session&))
{
    const QString path = QString::fromLocal8Bit(s_->ProgramFolder.c_str()) + "/help/" + page;
    if (QFileInfo(path).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return;
    run([&] { withoutGuide(*s_); });
}

void frmMain::mnuHelpAbout_Click()
{
    AboutBox about(this);
    about.exec();
}
