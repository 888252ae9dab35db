// The file dialog's filters built from the program's filter list.
#include "qt/QtPrompter.h"

#include <QtTest>

class tst_QtPrompter : public QObject {
    Q_OBJECT
private slots:
    void filtersKeepTheirDescriptionsAndPatterns()
    {
        const QStringList filters = QtPrompter::NameFilters(
            "Mardex Files(*.mdx)|*.mdx|Geopak's Earthwork Log Files(*.log)|*.log|All Files(*.*)|*.*");
        QCOMPARE(filters, (QStringList{"Mardex Files(*.mdx)", "Geopak's Earthwork Log Files(*.log)", "All Files(*.*)"}));
        QCOMPARE(QtPrompter::NameFilters("Design Files|*.dgn"), QStringList{"Design Files (*.dgn)"});
        QCOMPARE(QtPrompter::NameFilters("Pictures|*.png;*.jpg"), QStringList{"Pictures (*.png *.jpg)"});
        QVERIFY(QtPrompter::NameFilters("").isEmpty());
    }
};

QTEST_MAIN(tst_QtPrompter)
#include "tst_QtPrompter.moc"
