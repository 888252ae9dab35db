#include "report/ReportCommands.h"

#include "app/Session.h"

namespace mardex {

// Placeholders until the report lands.
bool BuildTotalReport(Session&) { return false; }
bool BuildAccumulatedReport(Session&) { return false; }
void mnuTotal_Click(Session& s) { s.hooks->ShowPreview(); }
void mnuAccumulated_Click(Session& s) { s.hooks->ShowPreview(); }
std::string ReportFileName(Session& s) { return s.report.ReportFileOverride; }

} // namespace mardex
