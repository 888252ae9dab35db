#pragma once
// Print Preview > Total and Accumulated: build the report file of the
// current sheet (or log baseline), then open the preview.
#include <string>

namespace mardex {

class Session;

// The build step alone: sets AccumulatedMode and writes the report file.
// True when a report file was written (the tool's exit status follows it).
bool BuildTotalReport(Session& s);
bool BuildAccumulatedReport(Session& s);

// The menu commands: the build step, then the preview (s.hooks->ShowPreview()).
void mnuTotal_Click(Session& s);
void mnuAccumulated_Click(Session& s);

// ReportFolder + the document's file name up to its first "." + ".rpt"
// (or the tool's --output path). Every writer and reader uses it.
std::string ReportFileName(Session& s);

} // namespace mardex
