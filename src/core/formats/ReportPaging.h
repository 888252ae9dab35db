#pragma once
// The report file: where it goes, writing it whole, and how many pages the
// renderer draws from it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mardex {

// Lines drawn on page 1 and on every later page; lines with a "#" anywhere
// are not drawn.
constexpr int FirstPageLines = 44;
constexpr int LaterPageLines = 51;

// Pages the renderer draws from a report of `drawnLines` drawn lines; at least one.
int32_t PagesForDrawnLines(int64_t drawnLines);
int64_t DrawnLines(std::string_view reportText);
int64_t AllLines(std::string_view reportText);

// `folder` + the document's file name up to its first "." + ".rpt". nullopt
// with a message naming the document when the name has no ".".
std::optional<std::string> SheetReportPath(const std::string& folder, const std::string& documentPath,
                                           std::string& error);

// Writes `text` as the report file: created anew, or appended to, through
// the atomic writer (a failure leaves the old file as it was, and the file
// is not flushed to the disk: see FlushToDisk); false with the reason in
// `error`. failAfterBytes: see WriteFileAtomically.
bool WriteReportText(const std::string& path, const std::string& text, bool append, std::string& error,
                     long long failAfterBytes = -1);

} // namespace mardex
