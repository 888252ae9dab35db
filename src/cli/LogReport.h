#pragma once
// The report of a GEOPAK log built on the data layer: the log reader, the
// log report writer and the companion document, without the window's state.
#include "cli/ToolOptions.h"

#include <string>

namespace mardex::cli {

// True when File > Open would open `path` as a GEOPAK log: an existing file
// whose upper-cased name contains ".LOG" and neither ".MDX" nor the ending
// of a file of another program.
bool IsLogDocument(const std::string& path);

// The report of the log `document` (an absolute path) as the window builds
// it on Open and Total or Accumulated; the exit status. Messages go to
// stderr as the window's boxes would show them.
int RunLogReport(const ToolOptions& options, const std::string& document);

} // namespace mardex::cli
