#pragma once
// --pdf and --print: the finished report rendered page by page, as Print
// All does, into a PDF file or onto a printer, without a display.
#include "cli/ToolOptions.h"
#include "render/PageRenderer.h"

#include <string>

namespace mardex::cli {

// The report file at `reportPath` drawn into the PDF. 0 when the PDF was
// written; 1 after a message on stderr.
int WriteReportPdf(const PageHeading& heading, const std::string& reportPath, const std::string& pdfPath);
// The report file at `reportPath` onto the named printer, or the default
// one when the name is empty. 0 when the job was handed to the printer
// ("Sent to the printer" on stderr); 1 after a message.
int PrintReport(const PageHeading& heading, const std::string& reportPath, const std::string& printerName);

// The written report at `reportPath` into --pdf and onto the printer of
// --print, as the options ask, with `heading` on its pages; 0 or 1 as above.
int RenderRequestedOutputs(const ToolOptions& options, const PageHeading& heading, const std::string& reportPath);

} // namespace mardex::cli
