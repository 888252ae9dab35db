// The design-file and seed-file dialogs: captions and controls, and that the
// widgets forward their events to the dialogs' handlers.
#include "qt/SeedFileDialog.h"
#include "qt/FileChooserPanel.h"
#include "QtTestPrompter.h"
#include "app/Session.h"
#include "qt/DesignFileDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace mardex;

namespace {

void Touch(const QString& path, const QByteArray& content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray Contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStickupDialogs : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        Touch(dir->filePath("seed.dgn"), "SEED");
        Touch(dir->filePath("other.dgn"), "OTHER");
        Touch(dir->filePath("notes.txt"), "N");
        ask = std::make_unique<test::QtTestPrompter>();
        s = std::make_unique<Session>(*ask);
        s->stickup.designFileDialog.Form_Load(dir->filePath("seed.dgn").toStdString(), dir->path().toStdString());
        s->stickup.designFileDialog.chooser.fileName = "12340ew.dgn";
    }

    void captionsAndControls()
    {
        DesignFileDialog dlg(*s);
        QCOMPARE(dlg.windowTitle(), QString("Design File"));
        QCOMPARE(dlg.objectName(), QString("bentleyTwo"));
        QCOMPARE(dlg.Frame1->title(), QString("Seed File"));
        QCOMPARE(dlg.Label6->text(), dir->filePath("seed.dgn"));
        QCOMPARE(dlg.Command3->text(), QString("Select"));
        QCOMPARE(dlg.Command1->text(), QString("OK"));
        QCOMPARE(dlg.Command2->text(), QString("Cancel"));
        QCOMPARE(dlg.chooser->Label4->text(), QString("Drives"));
        QCOMPARE(dlg.chooser->Label2->text(), QString("Directories"));
        QCOMPARE(dlg.chooser->Label1->text(), QString("Files"));
        QCOMPARE(dlg.chooser->Label5->text(), QString("List of File Types"));
        QCOMPARE(dlg.chooser->Combo1->count(), 2);
        QCOMPARE(dlg.chooser->Combo1->itemText(0), QString("*.dgn"));
        QCOMPARE(dlg.chooser->Combo1->itemText(1), QString("*.*"));
        QCOMPARE(dlg.chooser->Combo1->currentText(), QString("*.dgn"));
        QCOMPARE(dlg.chooser->Text1->text(), QString("12340ew.dgn"));
        QCOMPARE(dlg.chooser->File1->count(), 2);  // the two .dgn files
        QVERIFY(dlg.chooser->Label3->text().size() <= 30);
        QVERIFY(dir->path().endsWith(dlg.chooser->Label3->text()));
        QVERIFY(dlg.chooser->Drive1->count() >= 1);
        QVERIFY(DriveRoots().contains("/"));

        SeedFileDialog seedDlg(*s);
        QCOMPARE(seedDlg.windowTitle(), QString("Seed File"));
        QCOMPARE(seedDlg.objectName(), QString("CopyOfBentleyDlg"));
        QCOMPARE(seedDlg.Check1->text(), QString("Open File as Read Only"));
        QCOMPARE(seedDlg.menu->actions().size(), 2);
        QCOMPARE(seedDlg.menu->actions()[0]->menu()->actions().size(), 7);
        QCOMPARE(seedDlg.menu->actions()[1]->menu()->actions().size(), 3);
    }

    void patternAndFileClick()
    {
        DesignFileDialog dlg(*s);
        dlg.chooser->Combo1->setCurrentText("*.*");
        QCOMPARE(dlg.chooser->File1->count(), 3);
        QListWidgetItem* other = dlg.chooser->File1->findItems("other.dgn", Qt::MatchExactly).value(0);
        QVERIFY(other);
        const QRect r = dlg.chooser->File1->visualItemRect(other);
        QTest::mouseClick(dlg.chooser->File1->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(dlg.chooser->Text1->text(), QString("other.dgn"));
        QCOMPARE(s->stickup.designFileDialog.chooser.fileName, std::string("other.dgn"));
        QCOMPARE(dlg.chooser->File1->currentItem()->text(), QString("other.dgn"));
    }

    void seedLabelClickKeepsTheDefault()
    {
        DesignFileDialog dlg(*s);
        QTest::mouseClick(dlg.Label6, Qt::LeftButton);
        QCOMPARE(dlg.Label6->text(), dir->filePath("seed.dgn"));
        s->stickup.SeedFilePath = dir->filePath("other.dgn").toStdString();
        QTest::mouseClick(dlg.Label6, Qt::LeftButton);
        QCOMPARE(dlg.Label6->text(), dir->filePath("other.dgn"));
    }

    void okCopiesTheSeedAndCloses()
    {
        DesignFileDialog dlg(*s);
        dlg.show();
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(Contents(dir->filePath("12340ew.dgn")), QByteArray("SEED"));
        QCOMPARE(s->stickup.DesignFilePath, dir->filePath("12340ew.dgn").toStdString());
    }

    void okOnAnExistingFileAndNoStaysOpen()
    {
        s->stickup.designFileDialog.chooser.fileName = "other.dgn";
        ask->answers.push_back(Answer::No);
        DesignFileDialog dlg(*s);
        dlg.show();
        QTest::mouseClick(dlg.Command1, Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(ask->shown.size(), size_t(1));
        QCOMPARE(ask->shown[0], std::string("Do you want to overwrite existing *.dgn file?"));
        QCOMPARE(Contents(dir->filePath("other.dgn")), QByteArray("OTHER"));
    }

    void seedDialogOkSetsTheSeedLabel()
    {
        s->stickup.seedFileDialog.Form_Load(dir->path().toStdString());
        s->stickup.seedFileDialog.chooser.ClickFile("other.dgn");
        SeedFileDialog seedDlg(*s);
        QTest::mouseClick(seedDlg.Command1, Qt::LeftButton);
        QCOMPARE(s->stickup.SeedFilePath, dir->filePath("other.dgn").toStdString());
        QCOMPARE(s->stickup.designFileDialog.Label6, dir->filePath("other.dgn").toStdString());
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<test::QtTestPrompter> ask;
    std::unique_ptr<Session> s;
};

QTEST_MAIN(TestStickupDialogs)
#include "tst_stickupdialogs.moc"
