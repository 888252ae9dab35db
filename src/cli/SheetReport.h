#pragma once
// The report of a sheet document built on the data layer: the document
// reader, the computation and the report writer, without the window's state.
#include "cli/ToolOptions.h"

#include <string>

namespace mardex::cli {

// True when `path` is opened as a sheet document (an existing file whose
// upper-cased name contains ".MDX", as File > Open decides).
bool IsSheetDocument(const std::string& path);

// The report folder from the settings the window would read: the user's
// when the window has created them, else those shipped with the program.
// Empty, after the window's message, when the settings cannot be read.
std::string ReportFolderOfSettings();

// The report of `document` (an absolute path) as the window builds it; the
// exit status. Messages go to stderr as the window's boxes would show them.
int RunSheetReport(const ToolOptions& options, const std::string& document);

} // namespace mardex::cli
