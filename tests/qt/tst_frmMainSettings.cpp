// The window position in the per-user settings and the close flow.
#include "WindowTestPrompter.h"
#include "qt/frmMain.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

class tst_frmMainSettings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void onlyThePositionIsRestored();
    void closingStoresThePositionInTwips();
    void closingWhileMinimisedWritesNothing();
    void cancelAtTheSaveQuestionKeepsTheWindowOpen();
    void noAtTheSaveQuestionCloses();

private:
    static QVariant stored(const char* key)
    {
        QSettings settings("Mardex", "Mardex");
        return settings.value(QString("Settings/") + key);
    }
    static void store(const char* key, int value)
    {
        QSettings settings("Mardex", "Mardex");
        settings.setValue(QString("Settings/") + key, QString::number(value));
        settings.sync();
    }

    QTemporaryDir settingsHome, programFolder;
};

void tst_frmMainSettings::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    std::ofstream(programFolder.filePath("mardex3.ini").toStdString()) << "[Mardex]\r\nReportFolder = /tmp/\r\n";
}

void tst_frmMainSettings::init()
{
    QSettings settings("Mardex", "Mardex");
    settings.clear();
    settings.sync();
}

void tst_frmMainSettings::onlyThePositionIsRestored()
{
    store("MainLeft", 2880);
    store("MainTop", 1440);
    store("MainWidth", 1440);
    store("MainHeight", 1440);
    WindowTestPrompter ask;
    frmMain window(programFolder.path(), &ask);
    const int dpi = window.logicalDpiX();
    QCOMPARE(window.pos(), QPoint(2880 * dpi / 1440, 1440 * dpi / 1440));
    QVERIFY(window.width() > dpi);  // not the stored one inch
}

void tst_frmMainSettings::closingStoresThePositionInTwips()
{
    WindowTestPrompter ask;
    frmMain window(programFolder.path(), &ask);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(150, 90);
    const int dpi = window.logicalDpiX();
    QVERIFY(window.close());
    QVERIFY(ask.boxes.empty());  // unchanged data: no question
    QCOMPARE(stored("MainLeft").toInt(), window.frameGeometry().x() * 1440 / dpi);
    QCOMPARE(stored("MainTop").toInt(), window.frameGeometry().y() * 1440 / dpi);
    QCOMPARE(stored("MainWidth").toInt(), window.frameGeometry().width() * 1440 / dpi);
    QCOMPARE(stored("MainHeight").toInt(), window.frameGeometry().height() * 1440 / dpi);
}

void tst_frmMainSettings::closingWhileMinimisedWritesNothing()
{
    store("MainLeft", 1234);
    WindowTestPrompter ask;
    frmMain window(programFolder.path(), &ask);
    window.showMinimized();
    QVERIFY(window.close());
    QCOMPARE(stored("MainLeft").toInt(), 1234);
    QVERIFY(!stored("MainWidth").isValid());
}

void tst_frmMainSettings::cancelAtTheSaveQuestionKeepsTheWindowOpen()
{
    WindowTestPrompter ask;
    frmMain window(programFolder.path(), &ask);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.session().doc.DataChanged = true;
    ask.answers.push_back(mardex::Answer::Cancel);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(ask.boxes.size(), size_t(2));
    QCOMPARE(ask.boxes[0].text, std::string("WISH TO SAVE FILE BEFORE EXITING ?"));
    QCOMPARE(ask.boxes[1].text, std::string(" FILE : UNTITLED WAS NOT SAVED"));
    QVERIFY(!stored("MainLeft").isValid());
    window.session().doc.DataChanged = false;
}

void tst_frmMainSettings::noAtTheSaveQuestionCloses()
{
    WindowTestPrompter ask;
    frmMain window(programFolder.path(), &ask);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.session().doc.DataChanged = true;
    ask.answers.push_back(mardex::Answer::No);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
    QCOMPARE(ask.boxes.size(), size_t(1));
    QVERIFY(stored("MainLeft").isValid());
}

QTEST_MAIN(tst_frmMainSettings)
#include "tst_frmMainSettings.moc"
