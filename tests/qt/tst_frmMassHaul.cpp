// The Mass Haul window: the free-haul and price boxes recompute the haul
// table below the diagram and are remembered for the next window.
#include "compute/HaulAnalysis.h"
#include "qt/frmMassHaul.h"
#include "qt/PrinterTarget.h"
#include "text/NumberText.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace mardex;

class tst_frmMassHaul : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit()); }
    void boxesRecomputeTheTable();
    void printOnAPrinterGoesThroughThePrintDialog();
    void boxesRefuseTextThatIsNotANumber();
    void sitesArePlannedSavedAndExported();

private:
    QTemporaryDir settingsHome;
};

namespace {

// One loop through 0, 200, 500, 200, 0 every 200 ft.
MassSheet WorkedCheck()
{
    MassSheet sheet;
    sheet.tabName = "WORKED";
    const double ordinates[] = {0, 200, 500, 200, 0};
    for (int i = 0; i < 5; ++i) {
        MassRow r;
        r.station = i * 200;
        r.stationText = FormatStation(r.station);
        r.ordinate = ordinates[i];
        sheet.rows.push_back(r);
    }
    return sheet;
}

QString Cell(const QTableWidget* t, int row, const char* column)
{
    for (int c = 0; c < t->columnCount(); ++c)
        if (t->horizontalHeaderItem(c)->text() == column) return t->item(row, c)->text();
    return "<no column>";
}

} // namespace

void tst_frmMassHaul::boxesRecomputeTheTable()
{
    QSettings("Mardex", "Mardex").clear();
    {
        frmMassHaul window(nullptr, WorkedCheck());
        QCOMPARE(window.haulTable->rowCount(), 2);  // the loop and the totals
        QCOMPARE(Cell(window.haulTable, 0, "free_haul_from"), QString());
        QTest::keyClicks(window.freeHaulBox, "400");
        QTest::keyClicks(window.overhaulPriceBox, "2.5");
        // F 400: the chord at 200 from 2+00 to 6+00, overhaul moment 400, cost 1000.
        QCOMPARE(Cell(window.haulTable, 0, "free_haul_from"), QString("02+00.000"));
        QCOMPARE(Cell(window.haulTable, 0, "free_haul_to"), QString("06+00.000"));
        QCOMPARE(Cell(window.haulTable, 0, "overhaul_moment"), QString("400.00"));
        QCOMPARE(Cell(window.haulTable, 1, "overhaul_cost"), QString("1000.00"));
    }
    frmMassHaul again(nullptr, WorkedCheck());
    QCOMPARE(again.freeHaulBox->text(), QString("400"));
    QCOMPARE(again.overhaulPriceBox->text(), QString("2.5"));
    QCOMPARE(Cell(again.haulTable, 1, "overhaul_cost"), QString("1000.00"));
    again.freeHaulBox->clear();
    QCOMPARE(Cell(again.haulTable, 0, "overhaul_volume"), QString());
    QCOMPARE(Cell(again.haulTable, 1, "overhaul_cost"), QString());
}

// Skipped without a printer; the printing check runs it against a real
// queue and reads the diagram back from the PDF the queue made.
void tst_frmMassHaul::printOnAPrinterGoesThroughThePrintDialog()
{
    if (!PrinterTarget::PrinterInstalled()) QSKIP("no printer installed");
    QSettings("Mardex", "Mardex").clear();
    frmMassHaul window(nullptr, WorkedCheck());
    QTest::keyClicks(window.freeHaulBox, "400");
    QString printer;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            printer = dialog->printer()->printerName();
            dialog->accept();
        }
    });
    answer.start(20);
    window.findChild<QPushButton*>("cmdPrint")->click();
    answer.stop();
    QVERIFY(!printer.isEmpty());
}

void tst_frmMassHaul::boxesRefuseTextThatIsNotANumber()
{
    QSettings("Mardex", "Mardex").clear();
    frmMassHaul window(nullptr, WorkedCheck());
    QTest::keyClicks(window.freeHaulBox, "400");
    QTest::keyClicks(window.freeHaulBox, " ft");
    QVERIFY(window.statusLine->text().contains("'400 ft'"));
    // Not taken as "none": the table keeps the free haul of 400.
    QCOMPARE(Cell(window.haulTable, 0, "free_haul_from"), QString("02+00.000"));
}

// A pit added in the Sites table is saved beside the document and planned:
// the fill of 300 at m = 50 comes from it (50 ft, free) at its fee of 0.
void tst_frmMassHaul::sitesArePlannedSavedAndExported()
{
    QSettings("Mardex", "Mardex").clear();
    QTemporaryDir dir;
    MassSheet sheet;
    sheet.tabName = "PLAN";
    for (int i = 0; i < 2; ++i) {
        MassRow r;
        r.station = i * 100;
        r.stationText = FormatStation(r.station);
        r.adjustedFill = i ? 300 : 0;
        r.ordinate = -r.adjustedFill;
        sheet.rows.push_back(r);
    }
    const std::string sites = (dir.path() + "/road.sites.csv").toStdString();
    frmMassHaul window(nullptr, sheet, sites);
    QTest::keyClicks(window.freeHaulBox, "100");
    QTest::keyClicks(window.overhaulPriceBox, "5");
    QVERIFY(window.planSummary->text().contains("infeasible: stretch 1"));
    window.findChild<QPushButton*>("cmdAddSite")->click();
    QVERIFY(QFile::exists(QString::fromStdString(sites)));
    QVERIFY(window.planSummary->text().contains("least cost 0.00"));
    QCOMPARE(window.planTable->item(0, 0)->text(), QString("borrow"));
    QVERIFY(window.Analysis().plan.has_value());
    window.showPlanCheck->setChecked(false);
    QVERIFY(!window.Analysis().plan.has_value());
    const QString csv = dir.path() + "/plan.csv";
    window.ExportTo(csv, true);
    QVERIFY(window.statusLine->text().endsWith("plan.csv: exported"));
    QFile written(csv);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readLine().startsWith("kind,from,to,volume,distance,overhaul_cost,site_cost"));
    window.findChild<QPushButton*>("cmdUndoSites")->click();
    QVERIFY(window.planSummary->text().contains("infeasible"));
}

QTEST_MAIN(tst_frmMassHaul)
#include "tst_frmMassHaul.moc"
