#pragma once
// The drive list, folder list, file list, name box, file-type combo and
// folder label that bentleyTwo and CopyOfBentleyDlg share; mirrors a core
// FileChooser and forwards every event to it.
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace mardex {

struct FileChooser;

class FileChooserPanel : public QWidget {
    Q_OBJECT
public:
    FileChooserPanel(FileChooser& model, QWidget* parent = nullptr);

    // Mirrors the model into the widgets.
    void Refresh();

    QComboBox* Drive1;
    QListWidget* Dir1;
    QListWidget* File1;
    QLineEdit* Text1;
    QComboBox* Combo1;
    QLabel* Label3;
    QLabel* Label4;  // "Drives"
    QLabel* Label2;  // "Directories"
    QLabel* Label1;  // "Files"
    QLabel* Label5;  // "List of File Types" (bentleyTwo only)

signals:
    void fileDoubleClicked(const QString& name);

private:
    void FillDrives();
    void MoveTo(const QString& folder);

    FileChooser& model_;
    bool refreshing_ = false;
};

// The file system's roots and mounted volumes, for the drive list.
QStringList DriveRoots();

} // namespace mardex
