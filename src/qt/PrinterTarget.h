#pragma once
// Where printed report pages go: the system's default printer with its page
// size, or, with no printer installed, a PDF file beside the report file
// (its name with ".pdf"), which the "Sent to the printer" message names.
#include <QSizeF>

#include <memory>
#include <string>

class QPrinter;
class QPdfWriter;

namespace mardex {

class ReportSurface;
class QPainterSurface;

class PrinterTarget {
public:
    explicit PrinterTarget(const std::string& reportPath);
    ~PrinterTarget();
    PrinterTarget(const PrinterTarget&) = delete;
    PrinterTarget& operator=(const PrinterTarget&) = delete;

    ReportSurface& Surface();
    // The whole sheet and its printable part, in inches.
    QSizeF PageInches() const;
    QSizeF PrintableInches() const;
    bool IsPdf() const { return pdf_ != nullptr; }

    // True when at least one printer is installed.
    static bool PrinterInstalled();

private:
    std::unique_ptr<QPrinter> printer_;
    QPdfWriter* pdf_ = nullptr;  // the PDF surface's own writer
    std::unique_ptr<QPainterSurface> surface_;
};

} // namespace mardex
