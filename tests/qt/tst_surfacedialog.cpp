// The LandXML surface dialog: what it proposes, and what it remembers.
#include "qt/SurfaceChoiceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class tst_surfacedialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit()); }

    void proposesTheRememberedPairWhenTheFileHasIt()
    {
        const mardex::SurfaceNames names{{"Existing Ground", "Top", "Datum"}, {}};
        SurfaceChoiceDialog first(names, {"Existing Ground", "Top"});
        QCOMPARE(first.Choice().ground, std::string("Existing Ground"));
        QCOMPARE(first.Choice().design, std::string("Top"));

        first.findChild<QComboBox*>("cboDesign")->setCurrentIndex(2);
        first.Remember();
        SurfaceChoiceDialog again(names, {"Existing Ground", "Top"});
        QCOMPARE(again.Choice().design, std::string("Datum"));
        // A file without the remembered design surface gets the proposal.
        SurfaceChoiceDialog other({{"Existing Ground", "Top"}, {}}, {"Existing Ground", "Top"});
        QCOMPARE(other.Choice().design, std::string("Top"));
    }

    void oneSurfaceForBothCannotBeAccepted()
    {
        SurfaceChoiceDialog dialog({{"EG", "FG"}, {}}, {"EG", "FG"});
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());
        dialog.findChild<QComboBox*>("cboDesign")->setCurrentIndex(0);
        QVERIFY(!ok->isEnabled());
    }

    void tinsAreOfferedAsTheGroundOnly()
    {
        SurfaceChoiceDialog dialog({{"FG"}, {"Survey"}}, {"Survey", "FG"});
        QCOMPARE(dialog.findChild<QComboBox*>("cboGround")->count(), 2);
        QCOMPARE(dialog.findChild<QComboBox*>("cboDesign")->count(), 1);
        QCOMPARE(dialog.Choice().ground, std::string("Survey"));
        QCOMPARE(dialog.Choice().design, std::string("FG"));
    }

private:
    QTemporaryDir settingsHome;
};

QTEST_MAIN(tst_surfacedialog)
#include "tst_surfacedialog.moc"
