// The tab strip and Edit > Group through the real window.
#include "WindowTestPrompter.h"
#include "qt/frmMain.h"
#include "qt/frmMassHaul.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QApplication>
#include <QMenu>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <fstream>

class tst_frmMainTabs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void groupInsertAsksForANameAndAClickShowsTheNewSheet();
    void aRightClickOffersTheReportsAndMassHaul();
    void menusCarryTheirCaptions();
    void anOpenedDocumentShowsItsTabsAndSheets();
    void theMassHaulWindowStaysBesideAndFollowsTheTab();

private:
    QTemporaryDir settingsHome, programFolder;
    WindowTestPrompter* ask = nullptr;
    frmMain* window = nullptr;
};

void tst_frmMainTabs::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    std::ofstream(programFolder.filePath("mardex3.ini").toStdString()) << "[Mardex]\r\nReportFolder = /tmp/\r\n";
}

void tst_frmMainTabs::init()
{
    ask = new WindowTestPrompter;
    window = new frmMain(programFolder.path(), ask);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void tst_frmMainTabs::cleanup()
{
    window->session().doc.DataChanged = false;
    delete window;
    delete ask;
}

void tst_frmMainTabs::groupInsertAsksForANameAndAClickShowsTheNewSheet()
{
    // Something on the first sheet, to see the grid change.
    window->grid->setFocus();
    QTest::keyClicks(window->grid, "1000");
    QTest::keyClick(window->grid, Qt::Key_Return);

    ask->inputAnswers.push_back("Ramp A");
    window->mnuGroupInsert->trigger();
    QCOMPARE(ask->inputs.size(), size_t(1));
    QCOMPARE(ask->inputs[0].title, std::string("NAME FILE-TAB"));
    QCOMPARE(ask->inputs[0].defaultAnswer, std::string("MarDex "));
    QCOMPARE(window->TabStrip1->count(), 2);
    QCOMPARE(window->TabStrip1->tabText(1), QString("Ramp A"));

    QTest::mouseClick(window->TabStrip1, Qt::LeftButton, {}, window->TabStrip1->tabRect(0).center());
    QCOMPARE(window->session().doc.CurrentSheet, int16_t(0));
    QCOMPARE(window->grid->model()->index(0, 0).data().toString(), QString("10+00.000"));

    QTest::mouseClick(window->TabStrip1, Qt::LeftButton, {}, window->TabStrip1->tabRect(1).center());
    QCOMPARE(window->session().doc.CurrentSheet, int16_t(1));
    QCOMPARE(window->grid->model()->rowCount(), 1);
    QCOMPARE(window->grid->model()->index(0, 0).data().toString(), QString());
}

void tst_frmMainTabs::aRightClickOffersTheReportsAndMassHaul()
{
    QStringList offered;
    QTimer::singleShot(100, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) offered << a->text();
            menu->close();
        }
    });
    QTest::mouseClick(window->TabStrip1, Qt::RightButton, {}, window->TabStrip1->tabRect(0).center());
    QCOMPARE(offered, (QStringList{"&Total", "&Accumulated", "&Mass Haul"}));
    QCOMPARE(window->grid->model()->rowCount(), 1);
    // The emptied grid keeps the keys (and drops them): disabled, it would
    // pass the focus and the typing to another field.
    QVERIFY(window->grid->isEnabled());
}

void tst_frmMainTabs::menusCarryTheirCaptions()
{
    QCOMPARE(window->mnuFileNew->text(), QString("&New"));
    QCOMPARE(window->mnuFileNew->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(window->mnuFilePrintPreview->title(), QString("Print Pre&view"));
    QCOMPARE(window->mnuHelpAbout->text(), QString("&About "));
    QVERIFY(window->mnuViewToolbar->isChecked());
    QVERIFY(window->mnuViewStatusBar->isChecked());
    window->mnuViewToolbar->trigger();
    QVERIFY(!window->mnuViewToolbar->isChecked());
    QVERIFY(!window->findChild<QToolBar*>("tbToolBar")->isVisible());
    window->mnuViewRefresh->trigger();
    QCOMPARE(ask->boxes.back().text, std::string("Add 'mnuViewRefresh_Click' code."));
    window->mnuHelpContents->trigger();
    QCOMPARE(ask->boxes.back().text,
             std::string("Unable to display Help Contents. There is no Help associated with this project."));
    QCOMPARE(ask->boxes.back().title, std::string("MARDEX :UNTITLED"));
}

void tst_frmMainTabs::anOpenedDocumentShowsItsTabsAndSheets()
{
    ask->files.push_back(MARDEX_SOURCE_DIR "/tests/data/cases/worked_example.mdx");
    window->mnuFileOpen->trigger();
    QCOMPARE(window->TabStrip1->count(), 2);
    QCOMPARE(window->TabStrip1->tabText(0), QString("BL1"));
    QCOMPARE(window->TabStrip1->tabText(1), QString("Ramp A"));
    QCOMPARE(window->grid->model()->index(0, 0).data().toString(), QString("10+00.000"));
    QVERIFY(window->windowTitle().startsWith("MARDEX :"));
    QVERIFY(window->windowTitle().endsWith("worked_example.mdx"));
    QVERIFY(!window->Frame1->isVisible());

    QTest::mouseClick(window->TabStrip1, Qt::LeftButton, {}, window->TabStrip1->tabRect(1).center());
    QCOMPARE(window->session().doc.CurrentSheet, int16_t(1));
    // Ramp A is measured in embankment: the box is ticked and the factor greyed.
    QVERIFY(window->Check1->isChecked());
    QVERIFY(!window->txtShrinkFactor->isEnabled());
    QCOMPARE(window->txtShrinkFactor->text(), QString("1.00"));
    QVERIFY(window->grid->model()->rowCount() > 1);
}

void tst_frmMainTabs::theMassHaulWindowStaysBesideAndFollowsTheTab()
{
    ask->files.push_back(MARDEX_SOURCE_DIR "/tests/data/cases/worked_example.mdx");
    window->mnuFileOpen->trigger();
    window->mnuMassHaul->trigger();
    auto* massHaul = window->findChild<mardex::frmMassHaul*>("frmMassHaul");
    QVERIFY(massHaul);
    QVERIFY(massHaul->isVisible());
    QVERIFY(!massHaul->isModal());
    QVERIFY(massHaul->windowTitle().endsWith("BL1"));
    QTest::mouseClick(window->TabStrip1, Qt::LeftButton, {}, window->TabStrip1->tabRect(1).center());
    QTRY_VERIFY(massHaul->windowTitle().endsWith("Ramp A"));
    // Asked again, the same window comes to the front.
    window->mnuMassHaul->trigger();
    QCOMPARE(window->findChildren<mardex::frmMassHaul*>("frmMassHaul").size(), 1);
}

QTEST_MAIN(tst_frmMainTabs)
#include "tst_frmMainTabs.moc"
