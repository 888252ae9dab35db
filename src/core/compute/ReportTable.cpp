#include "compute/ReportTable.h"

#include "formats/CsvTable.h"

namespace mardex {

std::vector<std::string> ReportTableFields(const ComputedRow& row, std::string_view factor)
{
    std::vector<std::string> printed = PrintedFields(row, ReportMode::Total, factor);
    const bool balance = row.kind == RowKind::BalancePoint;
    // The report prints a balance point's adjusted fill where a station row
    // has its factor; the table keeps each figure in its own column.
    if (balance) printed.insert(printed.begin() + 7, std::string());
    printed.insert(printed.begin(), balance ? "balance" : "station");
    return printed;
}

std::string ReportTableCsv(const SheetComputation& computation)
{
    std::string out = std::string(ReportTableHeader) + "\r\n";
    for (const ComputedRow* row : computation.Rows()) out += CsvLine(ReportTableFields(*row, computation.balanceFactor));
    return out;
}

} // namespace mardex
