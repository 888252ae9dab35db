#pragma once
// The haul plan as a CSV table (UTF-8, LF): one line per move, borrow and
// waste, a summary line after each stretch's, and the total last.
#include "compute/HaulPlan.h"

#include <string>
#include <vector>

namespace mardex {

inline constexpr const char* HaulPlanHeader = "kind,from,to,volume,distance,overhaul_cost,site_cost";

// The fields of each line below the header, in order.
std::vector<std::vector<std::string>> HaulPlanLines(const HaulPlan& plan);
// The whole table; `lines` (optional) receives the number below the header.
std::string HaulPlanText(const HaulPlan& plan, int* lines = nullptr);
// "limit of economic haul PIT A to TIP W (stretch 1): 210.00 ft", one per pair.
std::vector<std::string> EconomicHaulLines(const HaulPlan& plan, bool metric);

} // namespace mardex
