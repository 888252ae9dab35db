// The File menu through the real window, with scripted dialogs: saving,
// New's question, Import, and GEOPAK logs shown in the preview.
#include "WindowTestPrompter.h"
#include "qt/frmMain.h"
#include "qt/frmPreview.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QMenu>
#include <QtTest>

#include <fstream>

namespace {

// Waits for the modal preview a command opens, keeps its text, closes it.
class PreviewCatcher {
public:
    PreviewCatcher()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* preview = qobject_cast<mardex::frmPreview*>(QApplication::activeModalWidget())) {
                shown.push_back(preview->Text1->toPlainText());
                preview->close();
            }
        });
        timer_.start();
    }
    std::vector<QString> shown;

private:
    QTimer timer_;
};

std::string Copy(const QTemporaryDir& dir, const QString& relative, const QString& name)
{
    const QString target = dir.filePath(name);
    QFile::remove(target);
    QFile::copy(QStringLiteral(MARDEX_SOURCE_DIR "/tests/data/") + relative, target);
    return target.toStdString();
}

} // namespace

class tst_frmMainFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void saveWithUnchangedDataOnlySaysSo();
    void saveAsWritesTheDocumentAndNamesTheWindow();
    void newWithChangedDataAndCancelKeepsEverything();
    void importAppendsTheOtherDocumentsSheets();
    void reportTableIsExportedFromTheMenu();
    void aLogIsShownInThePreviewAtOnceAndEachTabShowsItsOwnReport();

private:
    QTemporaryDir settingsHome, programFolder, work;
    WindowTestPrompter* ask = nullptr;
    frmMain* window = nullptr;
};

void tst_frmMainFile::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    std::ofstream(programFolder.filePath("mardex3.ini").toStdString())
        << "[Mardex]\r\nReportFolder = " << work.path().toStdString() << "/\r\n";
}

void tst_frmMainFile::init()
{
    ask = new WindowTestPrompter;
    window = new frmMain(programFolder.path(), ask);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_frmMainFile::cleanup()
{
    window->session().doc.DataChanged = false;
    delete window;
    delete ask;
}

void tst_frmMainFile::saveWithUnchangedDataOnlySaysSo()
{
    window->mnuFileSave->trigger();
    QCOMPARE(ask->boxes.size(), size_t(1));
    QCOMPARE(ask->boxes[0].text, std::string("FILE WAS NOT CHANGED SINCE LAST SAVE EVENT"));
}

void tst_frmMainFile::saveAsWritesTheDocumentAndNamesTheWindow()
{
    QTest::keyClicks(window->txtDescri[0], "A. Designer");
    QCOMPARE(window->session().doc.DataChanged, true);
    const std::string path = work.filePath("typed.mdx").toStdString();
    QFile::remove(QString::fromStdString(path));
    ask->files.push_back(path);
    window->mnuFileSaveAs->trigger();

    QVERIFY(!ask->boxes.empty());
    QCOMPARE(ask->boxes.back().text, " FILE : " + path + " IS SAVED SUCCESSFULLY");
    QCOMPARE(window->windowTitle(), QString::fromStdString("MARDEX :" + path));
    QCOMPARE(window->sbPanels[0]->text(), QString::fromStdString(path));
    QCOMPARE(window->session().doc.DataChanged, false);
    QFile saved(QString::fromStdString(path));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().startsWith("[VERSION 2002]\r\n[ENGLISH]\r\n"));
}

void tst_frmMainFile::newWithChangedDataAndCancelKeepsEverything()
{
    ask->files.push_back(Copy(work, "cases/worked_example.mdx", "worked.mdx"));
    window->mnuFileOpen->trigger();
    QTest::keyClicks(window->txtDescri[1], "changed");
    const QString caption = window->windowTitle();

    ask->answers.push_back(mardex::Answer::Cancel);
    window->mnuFileNew->trigger();
    QVERIFY(!ask->boxes.empty());
    QCOMPARE(ask->boxes.back().text,
             "File : ' " + window->session().doc.CurrentFileName + " ' was not saved");
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->TabStrip1->count(), 2);
    QCOMPARE(window->session().doc.DataChanged, true);
}

void tst_frmMainFile::importAppendsTheOtherDocumentsSheets()
{
    ask->files.push_back(Copy(work, "cases/worked_example.mdx", "worked.mdx"));
    window->mnuFileOpen->trigger();
    ask->files.push_back(Copy(work, "cases/e51_single_row.mdx", "single.mdx"));
    window->mnuImportFile->trigger();

    QCOMPARE(window->TabStrip1->count(), 3);
    QCOMPARE(window->session().doc.SheetCount, int16_t(3));
    // The sheets added are a change: every command stays as after typing.
    QVERIFY(window->mnuFileSave->isEnabled());
    QVERIFY(window->mnuFileSaveAs->isEnabled());
    QVERIFY(window->mnuEdit->menuAction()->isEnabled());
    QVERIFY(window->txtShrinkFactor->isVisible());
    // The toolbar's Save is the menu's own action.
    auto* toolbarSave = window->tbToolBar->findChild<QWidget*>("Save");
    QVERIFY(toolbarSave);
    QVERIFY(toolbarSave->isEnabled());
    QCOMPARE(window->session().doc.DataChanged, true);
    QCOMPARE(window->sbModified->text(), QString("Modified"));
}

void tst_frmMainFile::reportTableIsExportedFromTheMenu()
{
    ask->files.push_back(Copy(work, "cases/bp_several.mdx", "several.mdx"));
    window->mnuFileOpen->trigger();
    QVERIFY(window->mnuExportReportCsv->isEnabled());
    const std::string path = work.filePath("several.csv").toStdString();
    ask->files.push_back(path);
    window->mnuExportReportCsv->trigger();

    QVERIFY(!ask->boxes.empty());
    QCOMPARE(ask->boxes.back().text, " FILE : " + path + " IS SAVED SUCCESSFULLY");
    QFile table(QString::fromStdString(path));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QVERIFY(table.readAll().contains("\r\nbalance,13+33.904,0.00,0.00,0.00,0.00,0.00,110.00,,99.00,0.00\r\n"));
}

void tst_frmMainFile::aLogIsShownInThePreviewAtOnceAndEachTabShowsItsOwnReport()
{
    PreviewCatcher previews;
    ask->files.push_back(Copy(work, "log_cases/h01_basic_english.log", "cl1.log"));
    window->mnuFileOpen->trigger();
    QCOMPARE(previews.shown.size(), size_t(1));
    QVERIFY(previews.shown[0].startsWith("     10+00.00  "));
    QVERIFY(window->windowTitle().startsWith("GEOPAK LOG FILE: "));
    QVERIFY(window->Text1->isVisible());
    QVERIFY(window->Text1->toPlainText().startsWith("When a Geopak Earthwork Log file is opened, "));
    QVERIFY(!window->grid->isVisible());
    QCOMPARE(window->mnuImportFile->text(), QString("Import any other Log File"));
    QVERIFY(!window->mnuExportReportCsv->isEnabled());
    QCOMPARE(window->TabStrip1->count(), 1);
    QCOMPARE(window->TabStrip1->tabText(0), QString("BASELINE:  CL1"));

    ask->files.push_back(Copy(work, "log_cases/h02_metric_accumulated.log", "ramp.log"));
    window->mnuImportFile->trigger();
    QCOMPARE(window->TabStrip1->count(), 2);
    QCOMPARE(window->TabStrip1->tabText(1), QString("BASELINE:  RAMP_A"));
    QCOMPARE(previews.shown.size(), size_t(2));

    QTest::mouseClick(window->TabStrip1, Qt::LeftButton, {}, window->TabStrip1->tabRect(0).center());
    QTest::mouseClick(window->TabStrip1, Qt::LeftButton, {}, window->TabStrip1->tabRect(1).center());
    QCOMPARE(previews.shown.size(), size_t(4));
    // Each tab rebuilds its own baseline's report (the import previewed the
    // second log's accumulated report, the mode its log set).
    QCOMPARE(previews.shown[2], previews.shown[0]);
    QVERIFY(previews.shown[1].startsWith("     2+00.000  "));
    QVERIFY(previews.shown[3].startsWith("     2+00.000  "));
}

QTEST_MAIN(tst_frmMainFile)
#include "tst_frmMainFile.moc"
