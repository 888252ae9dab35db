#include "frmPrintSelect.h"

#include "app/Session.h"
#include "app/GridEditor.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mardex {

namespace {

// The character code a key press would type, as the key filter sees it;
// 0 for keys that type nothing (arrows, Delete, Tab ...).
int16_t TypedCode(const QKeyEvent& e)
{
    if (e.key() == Qt::Key_Backspace) return KeyBackspace;
    if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) return KeyEnter;
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    const QString text = e.text();
    if (text.size() != 1) return 0;
    const ushort c = text.at(0).unicode();
    return c >= 32 && c < 0x7fff ? static_cast<int16_t>(c) : 0;
}

} // namespace

frmPrintSelect::frmPrintSelect(Session& s, QWidget* parent) : QDialog(parent), s_(s)
{
    setWindowTitle("Select Pages");
    setModal(true);
    FromPage = new QLineEdit(this);
    FromPage->setObjectName("FromPage");
    ToPage = new QLineEdit(this);
    ToPage->setObjectName("ToPage");
    TotalPage = new QLabel(this);
    TotalPage->setObjectName("TotalPage");
    cmdDone = new QPushButton("&OK", this);
    cmdDone->setObjectName("cmdDone");
    cmdDone->setDefault(true);
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Select Pages From :", this), 0, 0);
    grid->addWidget(FromPage, 0, 1);
    grid->addWidget(new QLabel("To", this), 0, 2);
    grid->addWidget(ToPage, 0, 3);
    grid->addWidget(new QLabel("Total Number of Pages :", this), 1, 0);
    grid->addWidget(TotalPage, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdCancel);
    grid->addLayout(buttons, 2, 0, 1, 4);

    FromPage->installEventFilter(this);
    ToPage->installEventFilter(this);
    connect(cmdDone, &QPushButton::clicked, this, &frmPrintSelect::Done);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPrintSelect::Cancel);

    frmPrintSelect_Load(s_, form_);
    ToForm();
}

bool frmPrintSelect::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == FromPage || watched == ToPage) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        int16_t code = TypedCode(*key);
        if (code != 0 && code != KeyEnter && !IntOk(code)) return true;  // rejected: nothing typed
    }
    return QDialog::eventFilter(watched, event);
}

void frmPrintSelect::ToForm()
{
    FromPage->setText(QString::fromLatin1(form_.FromPage.c_str()));
    ToPage->setText(QString::fromLatin1(form_.ToPage.c_str()));
    TotalPage->setText(QString::fromLatin1(form_.TotalPage.c_str()));
}

void frmPrintSelect::FromForm()
{
    form_.FromPage = FromPage->text().toLatin1().toStdString();
    form_.ToPage = ToPage->text().toLatin1().toStdString();
}

void frmPrintSelect::Done()
{
    FromForm();
    cmdDone_Click(s_, form_);
    ToForm();
    if (form_.Closed) accept();
}

void frmPrintSelect::Cancel()
{
    cmdCancel_Click(s_, form_);
    reject();
}

void frmPrintSelect::closeEvent(QCloseEvent* event)
{
    // Closing by the title bar leaves the range as Cancel does.
    if (!form_.Closed) cmdCancel_Click(s_, form_);
    QDialog::closeEvent(event);
}

void PrintSelectDialog::ShowModal(Session& s)
{
    frmPrintSelect dialog(s, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        // Escape or the title bar: no range.
        s.print.PrintFromPage = 0;
        s.print.PrintToPage = 0;
    }
}

} // namespace mardex
