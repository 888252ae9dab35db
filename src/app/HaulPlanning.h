#pragma once
// The haul plan of a sheet with the sites of a file, as the window and the
// tool both make it.
#include "compute/HaulPlan.h"

#include <string>

namespace mardex {

// No sites when `sitesPath` is empty; a sites file that cannot be read, or
// holds a bad line, refuses the plan ("refused: <file>: line 3, field ...").
HaulPlan PlanWithSitesFile(const std::vector<MassRow>& rows, const std::string& sitesPath, const HaulPlanOptions& options,
                           TransportSolver& solver);

} // namespace mardex
