#pragma once
// The haul analysis as a CSV table: UTF-8, LF, header first, one line per
// loop, waste, borrow and open end, then the totals.
#include "compute/HaulAnalysis.h"

#include <string>

namespace mardex {

inline constexpr const char* HaulTableHeader =
    "kind,from_station,to_station,direction,volume,haul_moment,average_haul,"
    "free_haul_from,free_haul_to,overhaul_volume,overhaul_moment,overhaul_cost";

// The fields of one line, empty where they do not apply.
std::vector<std::string> HaulTableFields(const HaulAnalysis& h, const HaulLine& line);
// The whole table; `lines` (optional) receives the number of lines below the header.
std::string HaulTableText(const HaulAnalysis& h, int* lines = nullptr);

const char* HaulKindName(HaulKind kind);

} // namespace mardex
