#pragma once
// --haul-plan: the cheapest haul plan of the sheet, solved by CLP (only
// mardex-report-extras links it).
#include "cli/ToolOptions.h"

#include <string>

namespace mardex { struct HaulAnalysis; struct MassSheet; }

namespace mardex::cli {

// The plan into haul.plan; false after its refusal on stderr. The sites are
// --sites, or the document's NAME.sites.csv when there is one.
bool PlanSheetHaul(const MassSheet& sheet, const ToolOptions& options, const std::string& document, HaulAnalysis& haul);

} // namespace mardex::cli
