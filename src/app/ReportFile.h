#pragma once
// The report file: its name, writing it whole, and its page count.
#include "formats/ReportPaging.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mardex {

class Session;

// Where a report is written: a path given outright (the tool's --output),
// or none for the window's report, named after the open document.
struct ReportTarget {
    std::string path;  // empty: named after the open document
};
inline const ReportTarget WindowReport{};

// The target's path; for the window's report ReportFolder + the document's
// file name up to its first "." + ".rpt" (a log's: up to its ".LOG"). nullopt
// with a message in `error` when the document's name has no "." (the name
// would be ambiguous).
std::optional<std::string> ReportPathOf(const Session& s, const ReportTarget& target, std::string& error);

// Sets TotalPages from the report file at `reportPath` as it stands on disk.
void CountNumberOfPages(Session& s, const std::string& reportPath);

} // namespace mardex
