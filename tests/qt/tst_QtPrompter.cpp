// The file dialog's filters built from the program's filter list, and the
// answers of real message boxes.
#include "qt/QtPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

namespace {

// Presses `button` of the message box once it is on screen.
void PressWhenShown(QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return PressWhenShown(button);
        box->button(button)->click();
    });
}

} // namespace

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

    void eachButtonAnswersItself()
    {
        using mardex::Answer;
        using mardex::Buttons;
        QtPrompter ask(nullptr);
        const struct {
            Buttons buttons;
            QMessageBox::StandardButton press;
            Answer expected;
        } cases[] = {
            {Buttons::OKCancel, QMessageBox::Ok, Answer::OK},
            {Buttons::OKCancel, QMessageBox::Cancel, Answer::Cancel},
            {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
            {Buttons::YesNo, QMessageBox::No, Answer::No},
            {Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel},
            {Buttons::OK, QMessageBox::Ok, Answer::OK},
        };
        for (const auto& c : cases) {
            PressWhenShown(c.press);
            QCOMPARE(ask.Ask(mardex::MessageBox{"Could not copy seed file.", c.buttons}), c.expected);
        }
    }
};

QTEST_MAIN(tst_QtPrompter)
#include "tst_QtPrompter.moc"
