// The window as a desktop program: a file named on the command line, the
// recent files, a file dropped on the window, recovery copies after a crash
// but not after a clean exit, and the user guide.
#include "WindowTestPrompter.h"
#include "qt/frmMain.h"
#include "qt/DesignFileDialog.h"
#include "qt/HelpWindow.h"

#include <QAction>
#include <QListWidget>
#include <QTextBrowser>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTabBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QPushButton>
#include <QTimer>
#include <QFileInfo>
#include <QApplication>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace {

QString Copy(const QTemporaryDir& dir, const QString& relative, const QString& name)
{
    const QString target = dir.filePath(name);
    QFile::remove(target);
    QFile::copy(QStringLiteral(MARDEX_SOURCE_DIR "/tests/data/") + relative, target);
    return target;
}

QStringList RecentEntries(const frmMain& window)
{
    QStringList texts;
    for (QAction* action : window.mnuFileRecent->actions()) texts << action->text();
    return texts;
}

} // namespace

class tst_frmMainDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void aFileNamedOnTheCommandLineOpensAsOpenWould();
    void recentFilesListTheNewestFirstAndDropAMissingOne();
    void aDroppedFileAsksToSaveChangesFirstThenOpens();
    void recoveryIsOfferedAfterACrashButNotAfterACleanExit();
    void helpShowsTheGuideAndWithoutItSaysThereIsNone();
    void stickupSheetsAreDrawnThroughTheDesignFileModule();

private:
    void newWindow();
    QTemporaryDir home, programFolder, work;
    WindowTestPrompter* ask = nullptr;
    frmMain* window = nullptr;
};

void tst_frmMainDesktop::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath("state").toLocal8Bit());
    std::ofstream(programFolder.filePath("mardex3.ini").toStdString())
        << "[Mardex]\r\nReportFolder = " << work.path().toStdString() << "/\r\n";
}

void tst_frmMainDesktop::newWindow()
{
    ask = new WindowTestPrompter;
    window = new frmMain(programFolder.path(), ask);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_frmMainDesktop::init() { newWindow(); }

void tst_frmMainDesktop::cleanup()
{
    window->session().doc.DataChanged = false;
    delete window;
    delete ask;
    window = nullptr;
}

void tst_frmMainDesktop::aFileNamedOnTheCommandLineOpensAsOpenWould()
{
    const QString path = Copy(work, "cases/worked_example.mdx", "worked.mdx");
    window->openFile(path);
    QCOMPARE(window->windowTitle(), "MARDEX :" + path);
    QCOMPARE(window->TabStrip1->count(), 2);
    QVERIFY(ask->boxes.empty());

    window->openFile(work.filePath("absent.mdx"));
    QVERIFY(!ask->boxes.empty());
    QCOMPARE(ask->boxes.back().text, "NO FILE EXIST BY THE NAME : " + work.filePath("absent.mdx").toStdString());
}

void tst_frmMainDesktop::recentFilesListTheNewestFirstAndDropAMissingOne()
{
    const QString first = Copy(work, "cases/worked_example.mdx", "first.mdx");
    const QString second = Copy(work, "cases/single_row.mdx", "second.mdx");
    window->openFile(first);
    window->openFile(second);
    QCOMPARE(RecentEntries(*window).mid(0, 2), (QStringList{"&1 " + second, "&2 " + first}));

    // Another window (another start) reads the same per-user list.
    cleanup();
    newWindow();
    QCOMPARE(RecentEntries(*window).mid(0, 2), (QStringList{"&1 " + second, "&2 " + first}));

    QFile::remove(first);
    window->mnuFileRecent->actions().at(1)->trigger();
    QCOMPARE(ask->boxes.back().text, "NO FILE EXIST BY THE NAME : " + first.toStdString());
    QVERIFY(!RecentEntries(*window).contains("&2 " + first));
    QCOMPARE(RecentEntries(*window).first(), "&1 " + second);
}

void tst_frmMainDesktop::aDroppedFileAsksToSaveChangesFirstThenOpens()
{
    QTest::keyClicks(window->txtDescri[0], "typed");
    QCOMPARE(window->sbModified->text(), QString("Modified"));
    const QString path = Copy(work, "cases/worked_example.mdx", "dropped.mdx");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = window->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);

    ask->answers.push_back(mardex::Answer::No);  // do not save the typing
    QApplication::sendEvent(window, &drop);
    QTRY_COMPARE(window->windowTitle(), "MARDEX :" + path);
    QCOMPARE(ask->boxes.front().text, std::string("Wish to save : UNTITLED before opening other file ?"));
    QCOMPARE(window->sbModified->text(), QString());
}

void tst_frmMainDesktop::recoveryIsOfferedAfterACrashButNotAfterACleanExit()
{
    const QString path = Copy(work, "cases/worked_example.mdx", "crash.mdx");
    // Saved a while ago, so the copy written below is surely newer.
    std::filesystem::last_write_time(path.toStdString(),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
    const QByteArray saved = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    window->openFile(path);
    QTest::keyClicks(window->txtDescri[0], "lost?");
    window->writeRecoveryCopy();
    const QStringList copies = QDir(home.filePath("state/mardex")).entryList({"crash-*.mdx"});
    QCOMPARE(copies.size(), 1);
    // The program dies: no close, no question, its process gone.
    window->session().doc.DataChanged = false;
    delete window;
    delete ask;
    std::ofstream(home.filePath("state/mardex/" + copies[0] + ".source").toStdString())
        << path.toStdString() << "\n999999999\n";

    newWindow();
    ask->answers.push_back(mardex::Answer::Yes);
    window->offerRecovery();
    QCOMPARE(ask->boxes.size(), size_t(1));
    QVERIFY(ask->boxes[0].text.find(path.toStdString()) != std::string::npos);
    QCOMPARE(window->txtDescri[0]->text().right(5), QString("lost?"));
    QCOMPARE(window->windowTitle(), "MARDEX :" + path);
    QCOMPARE(window->sbModified->text(), QString("Modified"));
    QFile onDisk(path);
    QVERIFY(onDisk.open(QIODevice::ReadOnly));
    QCOMPARE(onDisk.readAll(), saved);

    // A clean exit (the typing thrown away at the question) leaves nothing.
    ask->answers.push_back(mardex::Answer::No);
    window->close();
    QVERIFY(QDir(home.filePath("state/mardex")).entryList({"*.mdx"}).isEmpty());
    delete window;
    delete ask;
    newWindow();
    window->offerRecovery();
    QVERIFY(ask->boxes.empty());
}

void tst_frmMainDesktop::helpShowsTheGuideAndWithoutItSaysThereIsNone()
{
    window->mnuHelpContents->trigger();  // no guide among the program's files
    QCOMPARE(ask->boxes.size(), size_t(1));
    QCOMPARE(ask->boxes[0].text,
             std::string("Unable to display Help Contents. There is no Help associated with this project."));

    QDir(programFolder.path()).mkdir("help");
    const QList<std::pair<const char*, const char*>> pages{
        {"index.html", "<title>Guide</title><p>Contents</p>"},
        {"topics.html", "<title>Index of topics</title><p>Topics</p>"},
        {"haul.html", "<title>Mass haul</title><p>The overhaul price and the free haul.</p>"}};
    for (const auto& [name, html] : pages) {
        QFile page(programFolder.filePath("help/") + name);
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write(html);
    }
    window->mnuHelpContents->trigger();
    auto* help = window->findChild<HelpWindow*>("frmHelp");
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->browser->source(), QUrl::fromLocalFile(programFolder.filePath("help/index.html")));
    QCOMPARE(help->pageList->count(), 3);
    QCOMPARE(help->pageList->item(0)->text(), QString("Contents"));
    window->mnuHelpSearchForHelpOn->trigger();
    QCOMPARE(window->findChildren<HelpWindow*>().size(), 1);
    QCOMPARE(help->browser->source(), QUrl::fromLocalFile(programFolder.filePath("help/topics.html")));
    // The search lists the pages holding every word and shows the first.
    help->searchBox->setText("OVERHAUL free");
    QTest::keyClick(help->searchBox, Qt::Key_Return);
    QCOMPARE(help->pageList->count(), 1);
    QCOMPARE(help->browser->source(), QUrl::fromLocalFile(programFolder.filePath("help/haul.html")));
    QCOMPARE(help->browser->textCursor().selectedText().toLower(), QString("overhaul"));
    QDir(programFolder.filePath("help")).removeRecursively();
    QCOMPARE(ask->boxes.size(), size_t(1));
}

// The Stickup Sheets button, its dialog's OK and the drawing through the
// design-file module, found from the executable's folder as the installed
// window finds it (the package check runs this case against the installed
// module).
void tst_frmMainDesktop::stickupSheetsAreDrawnThroughTheDesignFileModule()
{
    const QString path = Copy(work, "cases/worked_example.mdx", "drawn.mdx");
    window->openFile(path);
    QDir::setCurrent(work.path());
    const QString design = work.filePath(QString::fromStdString(window->session().doc.DescriptionFields[2]) + "0ew.dgn");
    QFile::remove(design);
    ask->answers.push_back(mardex::Answer::Yes);  // without a border, if none is found
    QTimer::singleShot(0, this, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<mardex::DesignFileDialog*>(w); dialog && dialog->isVisible()) dialog->Command1->click();
    });
    window->Command2->click();
    QVERIFY(!ask->boxes.empty());
    QCOMPARE(QString::fromStdString(ask->boxes.back().text), "1 sheet drawn into " + design);
    QVERIFY(QFileInfo(design).size() > 0);
}

QTEST_MAIN(tst_frmMainDesktop)
#include "tst_frmMainDesktop.moc"
