#pragma once
// The sheet computation: one pass over the rows of the current sheet that
// writes every quantity it produces straight into the report.
#include <cstdint>
#include <string>
#include <string_view>

namespace mardex {

class MassRowSink;
class Session;
struct Sheet;

// The row flags of one computation. Every computation starts with them
// cleared, so a sheet's report never depends on the sheet computed before.
struct RowFlags {
    int16_t SkipActive = 0;
    int16_t SkipState = 0;      // 0 none, 1 opening row, 2 closing row
    int16_t ForcedBalance = 0;
    int16_t Gap = 0;            // 1 BK row of BK-AH, 2 BK row closing AH-BK
    int16_t Overlap = 0;        // 1 AH row of AH-BK, 2 AH row closing BK-AH
    int16_t TwoBack = 0;
};

// Numeric station of a row; a row outside the sheet's slots (a code that
// reaches a row before the first) is a RuntimeFault.
double GetStation(const Sheet& sheet, int row);
// End-area sum of the segment ending at `row` for column 2 or 4; mode
// "OE", "SA" or "NA" (anything else gives 0). "NA" may clear the overlap flag.
double GetSum(const Sheet& sheet, RowFlags& flags, int row, int column, std::string_view mode);

// The report section of the current sheet appended to `out`: metadata, rows,
// grand summary. Updates ReportLineCount and the grand totals; throws a
// RuntimeFault (grand totals restored) on a fault of the computation.
void AppendSheetReport(Session& s, std::string& out);
// The same, also handing the rows of the mass curve to `massRows`.
void AppendSheetReport(Session& s, std::string& out, MassRowSink* massRows);

// The whole command: the untitled check, the report file created (or
// appended to when AppendToReport is 1), AppendToReport back to 0, the page
// count. True when the report file was written; on a fault the standard
// message is shown and no report of this sheet is left behind.
bool CreateTempRptFile(Session& s);

inline const std::string UntitledReportMessage =
    "There is no active data to create sheets with, you must first open a file. "
    "Or if you have typed in some numbers Please save it to a file";

} // namespace mardex
