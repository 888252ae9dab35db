#include "DesignFileDialog.h"

#include "SeedFileDialog.h"
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

DesignFileDialog::DesignFileDialog(Session& s, QWidget* parent) : QDialog(parent), s_(s)
{
    setWindowTitle("Design File");
    setObjectName("bentleyTwo");
    auto& model = s_.stickup.designFileDialog;

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

    connect(Command3, &QPushButton::clicked, this, &DesignFileDialog::Select);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (s_.stickup.designFileDialog.Command1_Click(s_)) accept();
        else Refresh();
    });
    Refresh();
}

void DesignFileDialog::Refresh()
{
    Label6->setText(FromMessage(s_.stickup.designFileDialog.Label6));
    chooser->Refresh();
}

bool DesignFileDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease) {
        s_.stickup.designFileDialog.Label6_Click(s_);
        Refresh();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DesignFileDialog::Select()
{
    auto& seedModel = s_.stickup.seedFileDialog;
    if (!seedModel.loaded) seedModel.Form_Load(s_.stickup.designFileDialog.chooser.folder);
    SeedFileDialog dialog(s_, this);
    dialog.exec();
    Refresh();
}

} // namespace mardex
