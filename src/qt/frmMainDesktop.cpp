// What a desktop program is expected to do beyond the menus: the usual
// shortcuts, File > Recent Files, files dropped on the window or named on
// the command line, the "Modified" panel, and recovery copies of unsaved
// changes.
#include "frmMain.h"

#include "QtText.h"
#include "app/PresetFilePrompter.h"
#include "app/RecentFiles.h"
#include "app/Recovery.h"
#include "app/UserFiles.h"
#include "app/FileCommands.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <filesystem>

using namespace mardex;

namespace {

constexpr int RecoveryIntervalMs = 2 * 60 * 1000;
constexpr const char* RecentFilesKey = "RecentFiles/List";

std::vector<std::string> ReadRecentFiles()
{
    std::vector<std::string> list;
    for (const QString& path : QSettings("Mardex", "Mardex").value(RecentFilesKey).toStringList())
        list.push_back(ToPath(path));
    return list;
}

void WriteRecentFiles(const std::vector<std::string>& list)
{
    QStringList paths;
    for (const std::string& path : list) paths << QString::fromLocal8Bit(path.c_str());
    QSettings("Mardex", "Mardex").setValue(RecentFilesKey, paths);
}

bool IsSavedDocument(const std::string& name)
{
    std::error_code ec;
    return !name.empty() && QString::fromStdString(name).toUpper() != "UNTITLED" &&
           std::filesystem::is_regular_file(name, ec);
}

QString FirstLocalFile(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

} // namespace

void frmMain::buildDesktopFeatures()
{
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuFileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuFileSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuTotal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnuHelpAbout->setShortcut(QKeySequence(Qt::Key_F1));

    mnuFileRecent = new QMenu("Recent &Files", mnuFile);
    mnuFileRecent->setObjectName("mnuFileRecent");
    mnuFile->insertMenu(mnuFileExit, mnuFileRecent);
    mnuFile->insertSeparator(mnuFileExit);
    fillRecentMenu();

    sbModified = new QLabel(sbStatusBar);
    sbModified->setObjectName("Modified");
    sbModified->setFrameShape(QFrame::StyledPanel);
    sbModified->setFrameShadow(QFrame::Sunken);
    sbStatusBar->insertPermanentWidget(1, sbModified);  // after the Status panel, before the date

    setAcceptDrops(true);

    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setInterval(RecoveryIntervalMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &frmMain::writeRecoveryCopy);
    recoveryTimer_->start();
}

void frmMain::openFile(const QString& path)
{
    run([&] {
        files_->nextOpen = ToPath(QFileInfo(path).absoluteFilePath());
        mnuFileOpen_Click(*s_);
        files_->nextOpen.reset();
    });
}

void frmMain::fillRecentMenu()
{
    mnuFileRecent->clear();
    const std::vector<std::string> list = ReadRecentFiles();
    int number = 0;
    for (const std::string& path : list) {
        const QString file = QString::fromLocal8Bit(path.c_str());
        QAction* action = mnuFileRecent->addAction(QStringLiteral("&%1 %2").arg(++number).arg(file));
        connect(action, &QAction::triggered, this, [this, file] { openRecent(file); });
    }
    mnuFileRecent->setEnabled(!list.empty());
}

void frmMain::openRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        // A file moved or deleted since: it leaves the list.
        WriteRecentFiles(WithoutRecentFile(ReadRecentFiles(), ToPath(path)));
        fillRecentMenu();
        s_->ask.Message("NO FILE EXIST BY THE NAME : " + ToPath(path));
        return;
    }
    openFile(path);
}

void frmMain::followDocument()
{
    const DocumentState& doc = s_->doc;
    sbModified->setText(doc.DataChanged ? QStringLiteral("Modified") : QString());
    if (!recoveryCopy_.isEmpty() && (!doc.DataChanged || doc.CurrentFileName != recoveryFor_)) dropRecoveryCopy();
    if (doc.CurrentFileName != lastDocument_) {
        lastDocument_ = doc.CurrentFileName;
        if (IsSavedDocument(lastDocument_)) {
            WriteRecentFiles(WithRecentFile(ReadRecentFiles(), lastDocument_));
            fillRecentMenu();
        }
    }
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!FirstLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QString file = FirstLocalFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop has finished, so its questions are not asked
    // inside the drag and drop loop.
    QTimer::singleShot(0, this, [this, file] { openFile(file); });
}

void frmMain::writeRecoveryCopy()
{
    if (!s_->doc.DataChanged || s_->doc.LogMode) return;
    const std::string folder = UserStateFolder();
    if (folder.empty()) return;
    if (!recoveryCopy_.isEmpty() && s_->doc.CurrentFileName != recoveryFor_) dropRecoveryCopy();
    std::string error;
    if (!WriteRecoveryCopy(*s_, folder, error)) {
        qWarning("mardex: recovery copy not written: %s", error.c_str());
        return;
    }
    recoveryFor_ = s_->doc.CurrentFileName;
    recoveryCopy_ = QString::fromLocal8Bit(RecoveryCopyPath(folder, recoveryFor_).c_str());
}

void frmMain::dropRecoveryCopy()
{
    if (recoveryCopy_.isEmpty()) return;
    RemoveRecoveryCopy(ToPath(recoveryCopy_));
    recoveryCopy_.clear();
    recoveryFor_.clear();
}

void frmMain::offerRecovery()
{
    const std::string folder = UserStateFolder();
    if (folder.empty()) return;
    for (const RecoveryCopy& copy : RecoveryCopiesToOffer(folder)) {
        const Answer a = s_->ask.Ask(MessageBox{RecoveryQuestion(copy), Buttons::YesNo, Icon::Question});
        if (a != Answer::Yes) {
            RemoveRecoveryCopy(copy.copyPath);
            continue;
        }
        bool restored = false;
        run([&] { restored = RestoreRecoveryCopy(*s_, *files_, copy); });
        if (restored) {
            // The copy stays until the restored changes are saved or dropped.
            recoveryCopy_ = QString::fromLocal8Bit(copy.copyPath.c_str());
            recoveryFor_ = copy.documentPath;
            return;
        }
    }
}
