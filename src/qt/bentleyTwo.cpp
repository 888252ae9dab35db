#include "bentleyTwo.h"

#include "CopyOfBentleyDlg.h"
#include "FileChooserPanel.h"
#include "QtText.h"
#include "app/Session.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mardex {

bentleyTwo::bentleyTwo(Session& s, QWidget* parent) : QDialog(parent), s_(s)
{
    setWindowTitle("Form1");
    setObjectName("bentleyTwo");
    auto& model = s_.stickup.bentleyTwo;

    Frame1 = new QGroupBox("Seed File", this);
    Label6 = new QLabel(Frame1);
    Label6->setObjectName("Label6");
    Label6->installEventFilter(this);
    Label6->setCursor(Qt::PointingHandCursor);
    Command3 = new QPushButton("Select", Frame1);
    auto* seedRow = new QHBoxLayout(Frame1);
    seedRow->addWidget(Label6, 1);
    seedRow->addWidget(Command3);

    chooser = new FileChooserPanel(model.chooser, this);
    Command1 = new QPushButton("OK", this);
    Command2 = new QPushButton("Cancel", this);
    Command1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(chooser, 1);
    layout->addLayout(buttons);

    connect(Command3, &QPushButton::clicked, this, &bentleyTwo::Select);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (s_.stickup.bentleyTwo.Command1_Click(s_)) accept();
        else Refresh();
    });
    Refresh();
}

void bentleyTwo::Refresh()
{
    Label6->setText(FromMessage(s_.stickup.bentleyTwo.Label6));
    chooser->Refresh();
}

bool bentleyTwo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease) {
        s_.stickup.bentleyTwo.Label6_Click(s_);
        Refresh();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void bentleyTwo::Select()
{
    auto& seedModel = s_.stickup.CopyOfBentleyDlg;
    if (!seedModel.loaded) seedModel.Form_Load(s_.stickup.bentleyTwo.chooser.folder);
    CopyOfBentleyDlg dialog(s_, this);
    dialog.exec();
    Refresh();
}

} // namespace mardex
