#pragma once
// Where printed report pages go: the system's default printer (through
// Qt's CUPS support) on the report's paper, Letter for English documents and
// A4 for metric ones, or, with no printer installed, a PDF file beside the
// report file (its name with ".pdf"), which the "Sent to the printer"
// message names.
#include <QSizeF>

#include <memory>
#include <string>

class QPrintDialog;
class QPrinter;
class QPdfWriter;
class QWidget;

namespace mardex {

class ReportSurface;
class QPainterSurface;

// Runs the print dialog. Accepted, the dialog sets the printer's own default
// paper (a CUPS queue's A4) whatever the printer was set to, unless the user
// chose a paper in the printer's properties: the paper the printer had (the
// report's) is kept then, and the user's choice otherwise.
int ExecKeepingPaper(QPrintDialog& dialog, QPrinter& printer);

class PrinterTarget {
public:
    PrinterTarget(const std::string& reportPath, int unitSystem);
    ~PrinterTarget();
    PrinterTarget(const PrinterTarget&) = delete;
    PrinterTarget& operator=(const PrinterTarget&) = delete;

    ReportSurface& Surface();
    // The whole sheet and its printable part, in inches.
    QSizeF PageInches() const;
    QSizeF PrintableInches() const;
    bool IsPdf() const { return pdf_ != nullptr; }

    // The standard print dialog (printer, copies, paper) for a real printer;
    // with `from`/`to` non-zero it offers that page range, filled in, and
    // gives back the range the user leaves in it. false when cancelled.
    // A PDF target asks nothing.
    bool Choose(QWidget* parent, int& from, int& to, int totalPages);

    // True when at least one printer is installed.
    static bool PrinterInstalled();

private:
    std::unique_ptr<QPrinter> printer_;
    QPdfWriter* pdf_ = nullptr;  // the PDF surface's own writer
    std::unique_ptr<QPainterSurface> surface_;
};

} // namespace mardex
