#pragma once
// The Total report of a sheet as a CSV table: one line per station row and
// balance point, the figures as the report prints them without padding.
#include "compute/SheetComputation.h"

#include <string>
#include <string_view>
#include <vector>

namespace mardex {

inline constexpr std::string_view ReportTableHeader =
    "row,station,cut_area,added_cut,cut_volume,fill_area,added_fill,fill_volume,balance_factor,adjusted_fill,mass_ordinate";

// The eleven fields of a row's line: "station" or "balance", then the
// report's fields; a balance point's factor is empty.
std::vector<std::string> ReportTableFields(const ComputedRow& row, std::string_view factor);

// The header and the rows of a Total computation, CR LF line ends.
std::string ReportTableCsv(const SheetComputation& computation);

} // namespace mardex
