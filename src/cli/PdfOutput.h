#pragma once
// --pdf and --print: the finished report rendered page by page, as Print
// All does, into a PDF file or onto a printer, without a display.
#include <string>

namespace mardex { class Session; }

namespace mardex::cli {

// The report file at `reportPath` drawn into the PDF. 0 when the PDF was
// written; 1 after a message on stderr.
int WriteReportPdf(Session& s, const std::string& reportPath, const std::string& pdfPath);
// The report file at `reportPath` onto the named printer, or the default
// one when the name is empty. 0 when the job was handed to the printer
// ("Sent to the printer" on stderr); 1 after a message.
int PrintReport(Session& s, const std::string& reportPath, const std::string& printerName);

} // namespace mardex::cli
