#pragma once
// The page-range dialog of Print Selected Pages.
#include "app/PreviewCommands.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mardex {

class Session;

class frmPrintSelect : public QDialog {
    Q_OBJECT
public:
    frmPrintSelect(Session& s, QWidget* parent = nullptr);

    QLineEdit* FromPage;
    QLineEdit* ToPage;
    QLabel* TotalPage;
    QPushButton* cmdDone;
    QPushButton* cmdCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Done();
    void Cancel();
    void ToForm();
    void FromForm();

    Session& s_;
    PrintSelectForm form_;
};

// The dialog shown modally over a parent, as Print Selected Pages needs it.
class PrintSelectDialog : public PageRangeDialog {
public:
    explicit PrintSelectDialog(QWidget* parent) : parent_(parent) {}
    void ShowModal(Session& s) override;

private:
    QWidget* parent_;
};

} // namespace mardex
