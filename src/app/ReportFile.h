#pragma once
// The report file: its name, writing it whole, and its page count.
#include <cstdint>
#include <optional>
#include <string>

namespace mardex {

class Session;

// ReportFolder + the document's file name up to its first "." + ".rpt", or
// the tool's --output path. nullopt with a message in `error` when the
// document's name has no "." (the name would be ambiguous).
std::optional<std::string> ReportPathOf(const Session& s, std::string& error);

// Writes `text` as the report file: created anew, or appended to, through
// the atomic writer (a failure leaves the old file as it was); false with
// the reason in `error`. failAfterBytes: see WriteFileAtomically.
bool WriteReportText(const std::string& path, const std::string& text, bool append, std::string& error,
                     long long failAfterBytes = -1);

// Pages the renderer really draws from a report text: its lines without "#",
// 44 on the first page and 51 on each later one; at least one page.
int32_t PagesForDrawnLines(int64_t drawnLines);
int64_t DrawnLines(const std::string& reportText);
int64_t AllLines(const std::string& reportText);

// Sets TotalPages from the report file as it stands on disk.
void CountNumberOfPages(Session& s);

} // namespace mardex
