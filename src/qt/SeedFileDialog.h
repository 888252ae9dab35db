#pragma once
// The seed-file dialog opened by bentleyTwo's Select.
#include <QDialog>

class QCheckBox;
class QMenuBar;
class QPushButton;

namespace mardex {

class FileChooserPanel;
class Session;

// The dialog CopyOfBentleyDlg.
class SeedFileDialog : public QDialog {
    Q_OBJECT
public:
    SeedFileDialog(Session& s, QWidget* parent = nullptr);

    FileChooserPanel* chooser;
    QCheckBox* Check1;      // "Open File as Read Only"
    QPushButton* Command1;  // "OK"
    QPushButton* Command2;  // "Cancel"
    QMenuBar* menu;

private:
    void Ok();

    Session& s_;
};

} // namespace mardex
