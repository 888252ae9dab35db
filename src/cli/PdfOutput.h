#pragma once
// --pdf: the finished report rendered page by page, as Print All does,
// into a PDF file, without a display.
#include <string>

namespace mardex { class Session; }

namespace mardex::cli {

// 0 when the PDF was written; 1 after a message on stderr.
int WriteReportPdf(Session& s, const std::string& pdfPath);

} // namespace mardex::cli
