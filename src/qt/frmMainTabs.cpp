// The tab strip and Edit > Group.
#include "frmMain.h"

#include "QtText.h"
#include "app/TabStrip.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>

using namespace mardex;

void frmMain::connectTabs()
{
    TabStrip1->installEventFilter(this);
    // Selecting a tab only marks it; the mouse-up shows its sheet.
    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int index) {
        if (!syncing_ && !destroying_ && index >= 0) s_->form.SelectedTab = index;
    });
    connect(mnuGroupInsert, &QAction::triggered, this, [this] { run("Group Insert", UndoHistory::Kind::Edit, [this] { mnuGroupInsert_Click(*s_); }); });
    connect(mnuGroupDelete, &QAction::triggered, this, [this] { run("Group Delete", UndoHistory::Kind::Edit, [this] { mnuGroupDelete_Click(*s_); }); });
    connect(mnuGroupRename, &QAction::triggered, this, [this] { run("Group Rename", UndoHistory::Kind::Edit, [this] { mnuGroupRename_Click(*s_); }); });
}

void frmMain::syncTabs()
{
    const FormModel& f = s_->form;
    QStringList want;
    for (const std::string& caption : TabCaptions(*s_)) want << FromMessage(caption);
    QStringList have;
    for (int i = 0; i < TabStrip1->count(); ++i) have << TabStrip1->tabText(i);
    if (want != have) {
        while (TabStrip1->count() > want.size()) TabStrip1->removeTab(TabStrip1->count() - 1);
        for (int i = 0; i < want.size(); ++i) {
            if (i < TabStrip1->count()) TabStrip1->setTabText(i, want[i]);
            else TabStrip1->addTab(want[i]);
        }
    }
    if (f.SelectedTab >= 0 && f.SelectedTab < TabStrip1->count()) TabStrip1->setCurrentIndex(f.SelectedTab);
    TabStrip1->setVisible(f.TabStripVisible);
    TabStrip1->setEnabled(f.TabStripEnabled);
}

bool frmMain::tabStripMouseUp(QMouseEvent* event)
{
    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton: button = LeftButton; break;
    case Qt::RightButton: button = RightButton; break;
    case Qt::MiddleButton: button = MiddleButton; break;
    default: return false;
    }
    const auto mods = event->modifiers();
    const int shift = (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) | (mods & Qt::AltModifier ? 4 : 0);
    popupAt_ = event->globalPosition().toPoint();
    const QPointF at = event->position();
    if (TabStrip1->currentIndex() >= 0) s_->form.SelectedTab = TabStrip1->currentIndex();
    // The strip selects on a left press only: a right click names its tab itself.
    if (button == RightButton && TabStrip1->tabAt(at.toPoint()) >= 0) s_->form.SelectedTab = TabStrip1->tabAt(at.toPoint());
    run([&] { TabStrip1_MouseUp(*s_, button, shift, static_cast<float>(at.x()), static_cast<float>(at.y())); });
    return false;
}

void frmMain::PopupPrintPreviewMenu()
{
    mnuFilePrintPreview->exec(popupAt_.isNull() ? QCursor::pos() : popupAt_);
}
