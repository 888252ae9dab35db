// The View and Help menus.
#include "frmMain.h"

#include "AboutBox.h"
#include "HelpWindow.h"
#include "app/ViewMenu.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

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
// program's help window, made at the first use and kept. Without it the
// program says there is no help.
void frmMain::showHelpPage(const QString& page, void (*withoutGuide)(Session&))
{
    const QString folder = QString::fromLocal8Bit(s_->ProgramFolder.c_str()) + "/help";
    if (!QFileInfo(folder + "/" + page).isFile()) {
        run([&] { withoutGuide(*s_); });
        return;
    }
    auto* help = findChild<HelpWindow*>("frmHelp");
    if (!help) help = new HelpWindow(folder, this);
    help->ShowPage(page);
    if (page != "index.html") help->searchBox->setFocus();
}

void frmMain::mnuHelpAbout_Click()
{
    AboutBox about(this);
    about.exec();
}
