#pragma once
// The report preview window: the page header, banner and table header drawn
// into a picture kept between repaints, the page's lines in the read-only
// text box Text1, and the Backward / Forward / Print / Exit menus.
#include <QDialog>
#include <QImage>

#include <memory>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace mardex {

class Session;
class PrinterTarget;
class PreviewSurface;

class frmPreview : public QDialog {
    Q_OBJECT
public:
    frmPreview(Session& s, QWidget* parent = nullptr);
    ~frmPreview() override;

    // PreparePrinter on the printer, page 1, shown modally.
    void Open();

    QPlainTextEdit* Text1;
    QAction* mnuBack;
    QAction* mnuForward;
    QMenu* mnuRptPrint;
    QAction* mnuPrintAll;       // mnuPrint index 0
    QAction* mnuPrintSelected;  // mnuPrint index 1
    QAction* mnuPreviewExit;

    const QImage& Drawing() const { return drawing_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    friend class PreviewSurface;
    void PrintAll();
    void PrintSelected();

    Session& s_;
    QImage drawing_;
    QWidget* canvas_;
    std::unique_ptr<PreviewSurface> surface_;
    bool closedOnce_ = false;
};

} // namespace mardex
