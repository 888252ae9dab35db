// The header fields above the grid: descriptions, balance factor, the
// embankment box and the unit system choice.
#include "frmMain.h"

#include "QtText.h"
#include "app/HeaderFields.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace mardex;

namespace {
void SetBox(QLineEdit* box, const TextBoxState& state)
{
    const QString text = FromCell(state.text);
    if (box->text() != text) box->setText(text);
    box->setEnabled(state.enabled);
    box->setVisible(state.visible);
    box->setReadOnly(state.locked);
}
} // namespace

void frmMain::connectHeader()
{
    for (int i = 0; i < 3; ++i) {
        txtDescri[i]->installEventFilter(this);
        connect(txtDescri[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            s_->form.txtDescri[i].text = ToCell(text);
            run("Header", UndoHistory::Kind::Typing, [&] { txtDescri_Change(*s_, i); });
        });
    }
    connect(txtShrinkFactor, &QLineEdit::textEdited, this, [this](const QString& text) {
        s_->form.txtShrinkFactor.text = ToCell(text);
        run("Balance Factor", UndoHistory::Kind::Typing, [this] { txtShrinkFactor_Change(*s_); });
    });
    connect(Check1, &QCheckBox::clicked, this, [this] { run("Embankment", UndoHistory::Kind::Edit, [this] { Check1_UserClick(*s_); }); });
    connect(optMetric, &QRadioButton::clicked, this, [this] { run("Units", UndoHistory::Kind::Edit, [this] { SetOptMetric(*s_); }); });
    connect(optEnglish, &QRadioButton::clicked, this, [this] { run("Units", UndoHistory::Kind::Edit, [this] { SetOptEnglish(*s_); }); });
}

void frmMain::syncHeader()
{
    const FormModel& f = s_->form;
    for (int i = 0; i < 3; ++i) SetBox(txtDescri[i], f.txtDescri[i]);
    SetBox(txtShrinkFactor, f.txtShrinkFactor);
    Label4->setVisible(f.Label4Visible);
    Check1->setChecked(f.embankmentCheck == 1);
    Frame1->setVisible(f.Frame1Visible);
    Frame1->setEnabled(f.Frame1Enabled);
    optMetric->setChecked(f.optMetric);
    optEnglish->setChecked(f.optEnglish);
    Label5->setText(FromMessage(f.Label5Caption));
    Label5->setVisible(f.Label5Visible);
}

bool frmMain::descriEvent(int index, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        s_->form.txtDescri[index].text = ToCell(txtDescri[index]->text());
        bool swallow = false;
        run([&] { swallow = txtDescri_KeyPress(*s_, index, 13); });
        return swallow;
    }
    if (event->type() == QEvent::FocusOut) {
        s_->form.txtDescri[index].text = ToCell(txtDescri[index]->text());
        txtDescri_LostFocus(*s_, index);
    }
    return false;
}
