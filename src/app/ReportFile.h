#pragma once
// The report file: its name, writing it whole, and its page count.
#include "formats/ReportPaging.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mardex {

class Session;

// ReportFolder + the document's file name up to its first "." + ".rpt", or
// the tool's --output path. nullopt with a message in `error` when the
// document's name has no "." (the name would be ambiguous).
std::optional<std::string> ReportPathOf(const Session& s, std::string& error);



// Sets TotalPages from the report file as it stands on disk.
void CountNumberOfPages(Session& s);

} // namespace mardex
