// The preview window and the page-range dialog, driven as a user would.
#include "qt/PreviewLauncher.h"
#include "qt/PrinterTarget.h"
#include "QtTestPrompter.h"
#include "app/Session.h"
#include "qt/frmPreview.h"
#include "qt/frmPrintSelect.h"
#include "app/PageRendering.h"
#include "render/ReportSurface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace mardex;

class tst_frmpreview : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    void UseReport(Session& s, const QString& caseFile)
    {
        const QString report = dir.filePath("road1.rpt");
        QFile::remove(report);
        QFile::remove(dir.filePath("road1.pdf"));
        QVERIFY(QFile::copy(QString(MARDEX_SOURCE_DIR) + "/tests/data/cases/" + caseFile, report));
        s.doc.ReportFolder = dir.path().toStdString() + "/";
        s.doc.CurrentFileName = "/x/road1.mdx";
        s.store[0].TabName = "BL1";
        s.report.TotalPages = static_cast<int32_t>(CountDrawnPages(report.toStdString()));
    }

    // Runs `steps` inside the modal preview opened by ShowReportPreview;
    // a safety timer closes it if a step forgets to.
    void WhilePreviewShown(Session& s, std::function<void(frmPreview&)> steps)
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            auto* preview = qobject_cast<frmPreview*>(QApplication::activeModalWidget());
            QVERIFY(preview);
            ran = true;
            steps(*preview);
        });
        QTimer safety;
        safety.setInterval(5000);
        connect(&safety, &QTimer::timeout, this, [] {
            if (auto* w = QApplication::activeModalWidget()) w->close();
        });
        safety.start();
        ShowReportPreview(nullptr, s);
        QVERIFY(ran);
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void menusAndTextBox()
    {
        test::QtTestPrompter ask;
        Session s(ask);
        UseReport(s, "pages_86_rows.total.rpt");
        frmPreview preview(s);
        QCOMPARE(preview.mnuBack->text(), QString("<< Backward"));
        QCOMPARE(preview.mnuForward->text(), QString("Forward >>"));
        QCOMPARE(preview.mnuRptPrint->title(), QString("Print"));
        QCOMPARE(preview.mnuPrintAll->text(), QString("Print&All"));
        QCOMPARE(preview.mnuPrintSelected->text(), QString("Print&SelectedPages"));
        QCOMPARE(preview.mnuPreviewExit->text(), QString("Exit"));
        QCOMPARE(preview.Text1->font().family(), QString("Courier New"));
        QCOMPARE(preview.Text1->font().pointSizeF(), 7.5);
        QVERIFY(preview.Text1->isReadOnly());
        const double dpi = preview.logicalDpiX();
        QCOMPARE(preview.Text1->x(), 0);
        QCOMPARE(preview.Text1->y(), qRound(4680.0 / 1440.0 * dpi));
    }

    void openNavigateAndExit()
    {
        test::QtTestPrompter ask;
        Session s(ask);
        UseReport(s, "pages_86_rows.total.rpt");
        s.report.UnadjustedExcavation = 5;
        s.report.AdjustedFill = 7;
        WhilePreviewShown(s, [&](frmPreview& preview) {
            QVERIFY(preview.Text1->toPlainText().startsWith("     00+00.000"));
            QVERIFY(preview.Text1->isReadOnly());
            const QImage page1 = preview.Drawing();
            int dark = 0;
            for (int y = 0; y < page1.height(); ++y)
                for (int x = 0; x < page1.width(); ++x) dark += qGray(page1.pixel(x, y)) < 128;
            QVERIFY2(dark > 1000, "header, banner and table header are drawn");
            if (qEnvironmentVariableIsSet("MARDEX_SAVE_PREVIEW")) {
                page1.save(qEnvironmentVariable("MARDEX_SAVE_PREVIEW"));
                preview.grab().save(qEnvironmentVariable("MARDEX_SAVE_PREVIEW") + ".window.png");
            }

            preview.mnuBack->trigger();
            QCOMPARE(ask.shown.back(), std::string("This is First Page"));
            QCOMPARE(s.print.PageToRender, int16_t(1));

            preview.mnuForward->trigger();
            QCOMPARE(s.print.PageToRender, int16_t(2));
            QVERIFY(preview.Text1->toPlainText().startsWith("     22+00.000"));
            QVERIFY(preview.Drawing() != page1);  // the short banner and another header
            preview.mnuForward->trigger();
            preview.mnuForward->trigger();
            QCOMPARE(ask.shown.back(), std::string("This is last page"));
            QCOMPARE(s.print.PageToRender, int16_t(3));

            preview.mnuPreviewExit->trigger();
        });
        QCOMPARE(s.report.UnadjustedExcavation + s.report.AdjustedFill, 0.0);
    }

    void printAllWithoutPrinterWritesPdfBesideReport()
    {
        if (PrinterTarget::PrinterInstalled()) QSKIP("a printer is installed");
        test::QtTestPrompter ask;
        Session s(ask);
        UseReport(s, "pages_86_rows.total.rpt");
        const QString pdf = dir.filePath("road1.pdf");
        WhilePreviewShown(s, [&](frmPreview& preview) {
            QVERIFY2(!QFile::exists(pdf), "opening the preview writes no PDF");
            preview.mnuPrintAll->trigger();
        });
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(ask.shown.back(), "Sent to the printer " + pdf.toStdString());
        if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) return;
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        QVERIFY(QString::fromLatin1(info.readAllStandardOutput()).contains(QRegularExpression(R"(Pages:\s+3\b)")));
    }

    // Run by the printing test on its own CUPS queue; skipped without a printer.
    void printSelectedOnAPrinterOffersTheRangeInThePrintDialog()
    {
        if (!PrinterTarget::PrinterInstalled()) QSKIP("no printer installed");
        test::QtTestPrompter ask;
        Session s(ask);
        UseReport(s, "pages_86_rows.total.rpt");
        int from = 0, to = 0;
        QString printer;
        WhilePreviewShown(s, [&](frmPreview& preview) {
            QTimer answer;  // answers the two dialogs as they come
            connect(&answer, &QTimer::timeout, this, [&] {
                QWidget* shown = QApplication::activeModalWidget();
                if (auto* range = qobject_cast<frmPrintSelect*>(shown)) {
                    range->FromPage->setText("2");
                    range->ToPage->setText("3");
                    range->cmdDone->click();
                } else if (auto* dialog = qobject_cast<QPrintDialog*>(shown)) {
                    from = dialog->fromPage();
                    to = dialog->toPage();
                    printer = dialog->printer()->printerName();
                    dialog->accept();
                }
            });
            answer.start(20);
            preview.mnuPrintSelected->trigger();
            answer.stop();
            preview.mnuPreviewExit->trigger();
        });
        QCOMPARE(from, 2);
        QCOMPARE(to, 3);
        QCOMPARE(ask.shown.back(), "Sent to the printer " + printer.toStdString());
    }

    // With the report folder left empty the PDF goes to the current folder:
    // the message names its whole path, so the user can find it.
    void thePdfIsNamedByItsFullPath()
    {
        if (PrinterTarget::PrinterInstalled()) QSKIP("a printer is installed");
        PrinterTarget target("road9.rpt", 0);
        QCOMPARE(QString::fromStdString(target.Surface().DeviceName()), QDir::current().absoluteFilePath("road9.pdf"));
        QVERIFY(!QFile::exists("road9.pdf"));
    }

    void missingReportShowsTheErrorAndNoWindow()
    {
        test::QtTestPrompter ask;
        Session s(ask);
        s.doc.ReportFolder = dir.path().toStdString() + "/";
        s.doc.CurrentFileName = "/x/absent.mdx";
        s.report.AdjustedExcavation = 3;
        QTimer safety;
        bool modalSeen = false;
        connect(&safety, &QTimer::timeout, this, [&] {
            if (auto* w = QApplication::activeModalWidget()) {
                modalSeen = true;
                w->close();
            }
        });
        safety.start(200);
        ShowReportPreview(nullptr, s);
        QVERIFY(!modalSeen);
        QCOMPARE(ask.shown.size(), size_t(1));
        QVERIFY(QString::fromStdString(ask.shown[0]).contains("occured in PrintOneByOne"));
        QCOMPARE(s.report.AdjustedExcavation, 0.0);
    }

    void pageRangeKeyFilterAndOk()
    {
        test::QtTestPrompter ask;
        Session s(ask);
        s.report.TotalPages = 3;
        frmPrintSelect dialog(s);
        QCOMPARE(dialog.windowTitle(), QString("Select Pages"));
        QCOMPARE(dialog.TotalPage->text(), QString("3"));
        QCOMPARE(dialog.FromPage->text(), QString("1"));
        dialog.FromPage->clear();
        QTest::keyClicks(dialog.FromPage, "-2 x5B");
        QCOMPARE(dialog.FromPage->text(), QString("25B"));
        dialog.FromPage->setText("2");
        dialog.ToPage->setText("99");
        dialog.cmdDone->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ToPage->text(), QString("3"));
        QCOMPARE(s.print.PrintFromPage, int16_t(2));
        QCOMPARE(s.print.PrintToPage, int16_t(3));
    }
};

QTEST_MAIN(tst_frmpreview)
#include "tst_frmpreview.moc"
