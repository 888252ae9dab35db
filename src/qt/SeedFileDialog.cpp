#include "SeedFileDialog.h"

#include "FileChooserPanel.h"
#include "QtText.h"
#include "app/Session.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace mardex {

SeedFileDialog::SeedFileDialog(Session& s, QWidget* parent) : QDialog(parent), s_(s)
{
    setWindowTitle("Seed File");
    setObjectName("CopyOfBentleyDlg");
    auto& model = s_.stickup.seedFileDialog;

    // The menus of the form have no actions.
    menu = new QMenuBar(this);
    QMenu* file = menu->addMenu("File");
    for (const char* item : {"New File", "Copy", "ReName", "Delete", "Info", "Merge", "Compress"}) file->addAction(item);
    QMenu* directory = menu->addMenu("Directory");
    for (const char* item : {"New", "Copy", "Compress"}) directory->addAction(item);

    chooser = new FileChooserPanel(model.chooser, this);
    chooser->Label5->hide();
    Check1 = new QCheckBox("Open File as Read Only", this);
    Check1->setChecked(model.readOnly != 0);
    Command1 = new QPushButton("OK", this);
    Command2 = new QPushButton("Cancel", this);
    Command1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Check1);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(chooser, 1);
    layout->addLayout(buttons);

    connect(Check1, &QCheckBox::toggled, this, [this](bool on) { s_.stickup.seedFileDialog.readOnly = on ? 1 : 0; });
    connect(Command1, &QPushButton::clicked, this, &SeedFileDialog::Ok);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(chooser, &FileChooserPanel::fileDoubleClicked, this, [this](const QString& name) {
        s_.stickup.seedFileDialog.File1_DblClick(s_, s_.stickup.designFileDialog, ToPath(name));
        accept();
    });
}

void SeedFileDialog::Ok()
{
    s_.stickup.seedFileDialog.Command1_Click(s_, s_.stickup.designFileDialog);
    accept();
}

} // namespace mardex
