#pragma once
// The design-file dialog of the Stickup Sheets button: the target's folder
// and name, and the seed it is created from.
#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace mardex {

class FileChooserPanel;
class Session;

// The dialog bentleyTwo.
class DesignFileDialog : public QDialog {
    Q_OBJECT
public:
    DesignFileDialog(Session& s, QWidget* parent = nullptr);

    void Refresh();

    FileChooserPanel* chooser;
    QGroupBox* Frame1;  // "Seed File"
    QLabel* Label6;     // the seed file path
    QPushButton* Command3;  // "Select"
    QPushButton* Command1;  // "OK"
    QPushButton* Command2;  // "Cancel"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Select();

    Session& s_;
};

} // namespace mardex
