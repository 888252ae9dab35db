#pragma once
// The page-range dialog of Print Selected Pages.
#include "app/Session.h"
#include "app/PreviewCommands.h"

#include <functional>

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

// The page range, then a second word on it (the print dialog of a real
// printer), which may change the range or cancel it (no pages).
class PrintDialogAfterRange : public PageRangeDialog {
public:
    using Confirm = std::function<bool(int& from, int& to)>;
    PrintDialogAfterRange(PageRangeDialog& range, Confirm confirm) : range_(range), confirm_(std::move(confirm)) {}
    void ShowModal(Session& s) override
    {
        range_.ShowModal(s);
        int from = s.print.PrintFromPage, to = s.print.PrintToPage;
        if (from <= 0 || to <= 0 || from > to) return;
        if (!confirm_(from, to)) from = to = 0;
        s.print.PrintFromPage = static_cast<int16_t>(from);
        s.print.PrintToPage = static_cast<int16_t>(to);
    }

private:
    PageRangeDialog& range_;
    Confirm confirm_;
};

} // namespace mardex
