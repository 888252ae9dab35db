#pragma once
// The rows of the mass curve read off a sheet's computed Total report.
#include "compute/MassCurve.h"
#include "compute/SheetComputation.h"

#include <vector>

namespace mardex {

// Balance points and station rows in report order, with the skip areas and
// station equations around them marked on the rows.
std::vector<MassRow> MassRowsOf(const SheetComputation& computed);

} // namespace mardex
