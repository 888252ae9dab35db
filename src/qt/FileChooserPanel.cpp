#include "FileChooserPanel.h"

#include "QtText.h"
#include "app/DesignFileDialogs.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStorageInfo>

namespace mardex {

QStringList DriveRoots()
{
    QStringList roots;
    for (const QFileInfo& drive : QDir::drives()) roots << drive.absoluteFilePath();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    return roots;
}

FileChooserPanel::FileChooserPanel(FileChooser& model, QWidget* parent) : QWidget(parent), model_(model)
{
    Drive1 = new QComboBox(this);
    Drive1->setObjectName("Drive1");
    Dir1 = new QListWidget(this);
    Dir1->setObjectName("Dir1");
    File1 = new QListWidget(this);
    File1->setObjectName("File1");
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    for (const auto& item : FileChooser::PatternItems()) Combo1->addItem(FromMessage(item));
    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    Label4 = new QLabel("Drives", this);
    Label2 = new QLabel("Directories", this);
    Label1 = new QLabel("Files", this);
    Label5 = new QLabel("List of File Types", this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Text1, 1, 0);
    grid->addWidget(File1, 2, 0, 3, 1);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Label3, 1, 1);
    grid->addWidget(Dir1, 2, 1);
    grid->addWidget(Label4, 3, 1);
    grid->addWidget(Drive1, 4, 1);
    grid->addWidget(Label5, 5, 0);
    grid->addWidget(Combo1, 6, 0);

    FillDrives();

    connect(Drive1, &QComboBox::activated, this, [this](int index) { MoveTo(Drive1->itemText(index)); });
    connect(Dir1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString name = item->data(Qt::UserRole).toString();
        MoveTo(QDir::cleanPath(QDir(FromMessage(model_.folder)).absoluteFilePath(name)));
    });
    connect(File1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        model_.ClickFile(ToPath(item->text()));
        Refresh();
    });
    connect(File1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit fileDoubleClicked(item->text()); });
    connect(Text1, &QLineEdit::textEdited, this, [this](const QString& text) { model_.fileName = ToPath(text); });
    connect(Combo1, &QComboBox::currentTextChanged, this, [this](const QString& pattern) {
        if (refreshing_) return;
        model_.SetPattern(ToPath(pattern));
        Refresh();
    });
    Refresh();
}

void FileChooserPanel::FillDrives()
{
    Drive1->clear();
    Drive1->addItems(DriveRoots());
}

void FileChooserPanel::MoveTo(const QString& folder)
{
    model_.SetFolder(ToPath(folder));
    Refresh();
}

void FileChooserPanel::Refresh()
{
    refreshing_ = true;
    const QString folder = FromMessage(model_.folder);
    Label3->setText(FromMessage(model_.Label3));
    Dir1->clear();
    if (!QDir(folder).isRoot()) {
        auto* up = new QListWidgetItem("[..]", Dir1);
        up->setData(Qt::UserRole, "..");
    }
    for (const auto& sub : model_.SubFolders()) {
        auto* item = new QListWidgetItem("[" + FromMessage(sub) + "]", Dir1);
        item->setData(Qt::UserRole, FromMessage(sub));
    }
    File1->clear();
    for (const auto& name : model_.files) File1->addItem(FromMessage(name));
    if (model_.selected >= 0 && model_.selected < File1->count()) File1->setCurrentRow(model_.selected);
    if (Text1->text() != FromMessage(model_.fileName)) Text1->setText(FromMessage(model_.fileName));
    if (Combo1->currentText() != FromMessage(model_.pattern)) Combo1->setCurrentText(FromMessage(model_.pattern));
    // The drive list shows the root that holds the folder.
    int best = -1, bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemText(i);
        if (folder.startsWith(root) && root.size() > bestLength) {
            best = i;
            bestLength = static_cast<int>(root.size());
        }
    }
    if (best >= 0) Drive1->setCurrentIndex(best);
    refreshing_ = false;
}

} // namespace mardex
