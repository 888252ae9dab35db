// Typing into the real window's grid.
#include "WindowTestPrompter.h"
#include "qt/frmMain.h"
#include "app/HeaderFields.h"
#include "app/MainForm.h"
#include "text/NumberText.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

class tst_frmMainGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void typingAStationFormatsItAndMovesToCode();
    void enterInAddedFillOfTheLastRowAppendsARow();
    void aLowerStationShowsTheMessageAndEmptiesTheCell();
    void startsUntitledWithOneEntryRow();
    void tabActsLikeEnter();
    void aFullSheetFillsTheGrid();
    void arrowsSkipCodeAndFill();
    void aClickOnACodeCellOffersTheCodes();
    void movingWithTheMouseCommitsNothing();
    void pasteTakesASpreadsheetBlockAndRefusesABadOne();
    void undoAndRedoMixedEditsBackToTheSavedState();
    void blocksExtendWithShiftSurviveCtrlAndGoThroughTheEditMenu();
    void escapeF2PageKeysAndUndoKeepTheKeysInTheGrid();

private:
    QString cell(int viewRow, int col) { return window->grid->model()->index(viewRow, col).data().toString(); }
    void type(const QString& keys)
    {
        for (QChar c : keys) {
            if (c == '\n') QTest::keyClick(window->grid, Qt::Key_Return);
            else QTest::keyClick(window->grid, c.toLatin1());
        }
    }

    QTemporaryDir settingsHome, programFolder;
    WindowTestPrompter* ask = nullptr;
    frmMain* window = nullptr;
};

void tst_frmMainGrid::initTestCase()
{
    // Keep the user's own window settings out of the tests.
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    std::ofstream(programFolder.filePath("mardex3.ini").toStdString()) << "[Mardex]\r\nReportFolder = /tmp/\r\n";
}

void tst_frmMainGrid::init()
{
    ask = new WindowTestPrompter;
    window = new frmMain(programFolder.path(), ask);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->grid->setFocus();
}

void tst_frmMainGrid::cleanup()
{
    window->session().doc.DataChanged = false;
    delete window;
    delete ask;
}

void tst_frmMainGrid::startsUntitledWithOneEntryRow()
{
    QCOMPARE(window->windowTitle(), QString("MARDEX :UNTITLED"));
    QCOMPARE(window->grid->model()->rowCount(), 1);
    QCOMPARE(window->grid->model()->headerData(0, Qt::Horizontal).toString().section('\n', 0, 0), QString("Station"));
    QCOMPARE(window->grid->model()->headerData(5, Qt::Horizontal).toString().section('\n', 0, 0), QString("AddedFill"));
    QCOMPARE(window->txtShrinkFactor->text(), QString("1.00"));
    QVERIFY(ask->boxes.empty());
}

void tst_frmMainGrid::typingAStationFormatsItAndMovesToCode()
{
    type("1234");
    QCOMPARE(cell(0, 0), QString("1234"));
    type("\n");
    QCOMPARE(cell(0, 0), QString("12+34.000"));
    QCOMPARE(std::string(window->session().store[0].Cell(0, 0)), std::string("12+34.000"));
    QCOMPARE(window->grid->currentIndex().row(), 0);
    QCOMPARE(window->grid->currentIndex().column(), 1);
}

void tst_frmMainGrid::enterInAddedFillOfTheLastRowAppendsARow()
{
    type("1000\n\n1\n2\n3\n4\n");
    QCOMPARE(window->grid->model()->rowCount(), 2);
    QCOMPARE(window->grid->currentIndex().row(), 1);
    QCOMPARE(window->grid->currentIndex().column(), 0);
    QCOMPARE(cell(0, 5), QString("4.00"));
}

void tst_frmMainGrid::aLowerStationShowsTheMessageAndEmptiesTheCell()
{
    type("1000\n\n\n\n\n\n950\n");
    QVERIFY(!ask->boxes.empty());
    QCOMPARE(ask->boxes.back().text, std::string(" Station : 09+50.000 is less then previous station :10+00.000"));
    QCOMPARE(cell(1, 0), QString());
    QCOMPARE(window->grid->currentIndex().row(), 1);
    QCOMPARE(window->grid->currentIndex().column(), 0);
}

void tst_frmMainGrid::tabActsLikeEnter()
{
    type("1234");
    QTest::keyClick(window->grid, Qt::Key_Tab);
    QCOMPARE(cell(0, 0), QString("12+34.000"));
    QCOMPARE(window->grid->currentIndex().column(), 1);
}

void tst_frmMainGrid::aFullSheetFillsTheGrid()
{
    mardex::Session& s = window->session();
    for (int r = 0; r < mardex::MaxDataRows; ++r) s.store[0].SetCell(0, r, std::to_string(r) + ".000");
    s.store[0].SetCell(0, mardex::MaxDataRows, "-1");
    mardex::FillMainForm(s);
    window->sync();
    QCOMPARE(window->grid->model()->rowCount(), mardex::MaxDataRows + 1);
    QCOMPARE(cell(1799, 0), QString("1799.000"));
    const QByteArray shot = qgetenv("MARDEX_SCREENSHOT");
    if (!shot.isEmpty()) {
        s.doc.UnitSystem = 0;
        mardex::SetOptEnglish(s);
        window->sync();
        window->grab().save(QString::fromLocal8Bit(shot));
    }
}

void tst_frmMainGrid::arrowsSkipCodeAndFill()
{
    type("1000");
    QTest::keyClick(window->grid, Qt::Key_Right);
    QCOMPARE(window->grid->currentIndex().column(), 2);
    QCOMPARE(cell(0, 0), QString("10+00.000"));
    QTest::keyClick(window->grid, Qt::Key_Left);
    QCOMPARE(window->grid->currentIndex().column(), 0);
}

void tst_frmMainGrid::aClickOnACodeCellOffersTheCodes()
{
    type("1000\n");
    const QRect codeCell = window->grid->visualRect(window->grid->model()->index(0, 1));
    QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, {}, codeCell.center());
    QVERIFY(window->Combo1->isVisible());
    QCOMPARE(window->Combo1->count(), 5);
    QCOMPARE(window->Combo1->itemText(0), QString("SA"));
    window->Combo1->setCurrentIndex(1);
    emit window->Combo1->activated(1);
    QCOMPARE(cell(0, 1), QString("FB"));
    QCOMPARE(std::string(window->session().store[0].Cell(1, 0)), std::string("FB"));
}

void tst_frmMainGrid::movingWithTheMouseCommitsNothing()
{
    type("1234");
    const QRect cutCell = window->grid->visualRect(window->grid->model()->index(0, 2));
    QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, {}, cutCell.center());
    QCOMPARE(window->grid->currentIndex().column(), 2);
    QCOMPARE(cell(0, 0), QString("1234"));
    QCOMPARE(std::string(window->session().store[0].Cell(0, 0)), std::string("12+34.000"));
    type("5");
    QCOMPARE(cell(0, 2), QString("5"));
}

void tst_frmMainGrid::pasteTakesASpreadsheetBlockAndRefusesABadOne()
{
    // Two rows as a spreadsheet copies them: tabs, CR LF, a last line break.
    QGuiApplication::clipboard()->setText("0\t-\t10\t0\t5\t0\r\n100\tfb\t12.5\t\t0\t0\r\n");
    QTest::keyClick(window->grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(0, 0), QString("00+00.000"));
    QCOMPARE(cell(0, 2), QString("10.00"));
    QCOMPARE(cell(1, 0), QString("01+00.000"));
    QCOMPARE(cell(1, 1), QString("FB"));
    QCOMPARE(cell(1, 2), QString("12.50"));
    QCOMPARE(cell(1, 3), QString("0.00"));
    QCOMPARE(std::string(window->session().CurrentSheet().Cell(mardex::ColStation, 2)), std::string("-1"));

    // A block whose second station is lower than its first changes nothing.
    const std::size_t shown = ask->boxes.size();
    QGuiApplication::clipboard()->setText("200\t-\t1\t0\t0\t0\n50\t-\t1\t0\t0\t0\n");
    QTest::keyClick(window->grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ask->boxes.size(), shown + 1);
    QCOMPARE(ask->boxes.back().text, std::string(" Station : 00+50.000 is less then previous station :02+00.000"));
    QCOMPARE(cell(0, 0), QString("00+00.000"));
    QCOMPARE(cell(1, 0), QString("01+00.000"));
    QCOMPARE(std::string(window->session().CurrentSheet().Cell(mardex::ColStation, 0)), std::string("00+00.000"));

    // Copy gives the cells back as tab-separated lines.
    window->grid->selectionModel()->select(QItemSelection(window->grid->model()->index(0, 0), window->grid->model()->index(1, 2)),
                                           QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(window->grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("00+00.000\t-\t10.00\r\n01+00.000\tFB\t12.50\r\n"));
}

void tst_frmMainGrid::undoAndRedoMixedEditsBackToTheSavedState()
{
    mardex::Session& s = window->session();
    type("100\n");  // one step, however many keys; the cursor goes on to Code
    QGuiApplication::clipboard()->setText("fb\t5\n");
    QTest::keyClick(window->grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(0, 2), QString("5.00"));
    window->mnuRowInsert->trigger();
    QCOMPARE(cell(0, 1), QString(""));
    QCOMPARE(window->mnuEditUndo->text(), QString("&Undo Row Insert"));

    window->mnuEditUndo->trigger();
    QCOMPARE(cell(0, 1), QString("FB"));
    QCOMPARE(window->mnuEditUndo->text(), QString("&Undo Paste"));
    window->mnuEditUndo->trigger();
    QCOMPARE(cell(0, 0), QString("01+00.000"));
    QVERIFY(cell(0, 1) != QString("FB"));
    QCOMPARE(s.doc.DataChanged, true);
    window->mnuEditUndo->trigger();
    QCOMPARE(cell(0, 0), QString());
    QCOMPARE(std::string(s.CurrentSheet().Cell(mardex::ColStation, 0)), std::string("-1"));
    QCOMPARE(s.doc.DataChanged, false);  // back at the saved state: exit asks nothing
    QVERIFY(!window->mnuEditUndo->isEnabled());

    window->mnuEditRedo->trigger();
    window->mnuEditRedo->trigger();
    QCOMPARE(cell(0, 0), QString("01+00.000"));
    QCOMPARE(cell(0, 1), QString("FB"));
    QCOMPARE(s.doc.DataChanged, true);
    QCOMPARE(window->mnuEditRedo->text(), QString("&Redo Row Insert"));
}

void tst_frmMainGrid::blocksExtendWithShiftSurviveCtrlAndGoThroughTheEditMenu()
{
    const QString block = "00+00.000\t-\t10.00\t0.00\t5.00\t0.00\r\n01+00.000\tFB\t12.50\t0.00\t0.00\t0.00\r\n";
    QGuiApplication::clipboard()->setText(block);
    window->mnuEditPaste->trigger();
    QCOMPARE(cell(1, 2), QString("12.50"));
    const auto at = [this](int row, int col) { return window->grid->visualRect(window->grid->model()->index(row, col)).center(); };

    // Shift+click extends from the cell clicked; Ctrl pressed before C keeps the block.
    QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, {}, at(0, 0));
    QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(1, 2));
    QTest::keyPress(window->grid, Qt::Key_Control);
    QTest::keyClick(window->grid, Qt::Key_C, Qt::ControlModifier);
    QTest::keyRelease(window->grid, Qt::Key_Control);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("00+00.000\t-\t10.00\r\n01+00.000\tFB\t12.50\r\n"));

    // Shift+arrows extend too.
    QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, {}, at(0, 1));
    QTest::keyClick(window->grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(window->grid, Qt::Key_Right, Qt::ShiftModifier);
    window->mnuEditCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("-\t10.00\r\nFB\t12.50\r\n"));

    // A block pasted from a spreadsheet comes back byte for byte.
    window->mnuEditSelectAll->trigger();
    window->mnuEditCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), block);
}

void tst_frmMainGrid::escapeF2PageKeysAndUndoKeepTheKeysInTheGrid()
{
    mardex::Session& s = window->session();
    type("1000\n");
    QTest::keyClick(window->grid, Qt::Key_Left);  // back to the committed station
    type("5");
    QCOMPARE(cell(0, 0), QString("5"));  // the first key replaced the value
    QTest::keyClick(window->grid, Qt::Key_Escape);
    QCOMPARE(cell(0, 0), QString("10+00.000"));
    // The escaped keys leave no step: Undo takes back the code the arrow key committed.
    QCOMPARE(cell(0, 1), QString("-"));
    window->mnuEditUndo->trigger();
    QCOMPARE(cell(0, 1), QString());
    window->mnuEditRedo->trigger();
    QCOMPARE(cell(0, 1), QString("-"));
    QTest::keyClick(window->grid, Qt::Key_Left);
    QTest::keyClick(window->grid, Qt::Key_F2);
    type("5");
    QCOMPARE(cell(0, 0), QString("10+00.0005"));
    QTest::keyClick(window->grid, Qt::Key_Escape);

    for (int r = 0; r < 200; ++r) s.store[0].SetCell(0, r, mardex::FormatStation(r * 10.0));
    s.store[0].SetCell(0, 200, "-1");
    mardex::FillMainForm(s);
    window->sync();
    QTest::keyClick(window->grid, Qt::Key_PageDown);
    QVERIFY(window->grid->currentIndex().row() > 5);
    QTest::keyClick(window->grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(window->grid->currentIndex().row(), 200);
    QTest::keyClick(window->grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(window->grid->currentIndex().row(), 0);

    // Undo from the Designer box hands the keys back to the grid.
    type("7\n");
    window->txtDescri[0]->setFocus();
    window->mnuEditUndo->trigger();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->grid));
}

QTEST_MAIN(tst_frmMainGrid)
#include "tst_frmMainGrid.moc"
