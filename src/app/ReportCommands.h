#pragma once
// Print Preview > Total and Accumulated: build the report file of the
// current sheet (or log baseline), then open the preview.
#include "app/ReportFile.h"

#include <string>

namespace mardex {

class Session;

// The build step alone: sets AccumulatedMode and writes the report file.
// True when a report file was written (the tool's exit status follows it).
bool BuildTotalReport(Session& s, const ReportTarget& target);
bool BuildAccumulatedReport(Session& s, const ReportTarget& target);

// The menu commands: the build step of the window's report, then the preview
// (s.hooks->ShowPreview()).
void mnuTotal_Click(Session& s);
void mnuAccumulated_Click(Session& s);

// The target's report file (ReportPathOf); a document whose name gives none
// still gets a name, under which readers find no file.
std::string ReportFileName(const Session& s, const ReportTarget& target);

} // namespace mardex
