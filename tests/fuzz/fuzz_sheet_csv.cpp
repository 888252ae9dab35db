// libFuzzer target: any bytes read as a CSV sheet give rows the store can
// hold or a refusal naming the file, never a crash or a hang. A sheet that
// was taken in comes back the same through export and import.
#include "formats/SheetCsv.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = mardex::ReadSheetCsv(bytes, "fuzz.csv", 0, "FUZZ");
    if (!read) {
        if (read.fault.file != "fuzz.csv" || read.fault.what.empty() || read.fault.line < 0) std::abort();
        return 0;
    }
    if (read.document->sheets.size() != 1) std::abort();
    const auto& rows = read.document->sheets[0].rows;
    if (rows.size() > mardex::MaxDataRows) std::abort();

    // Into the store as an import puts it, out as the export writes it.
    mardex::Sheet sheet;
    int r = 0;
    for (const auto& row : rows) {
        for (int c = 0; c < mardex::ColumnCount; ++c) {
            if (row[c].empty()) std::abort();
            sheet.SetCell(c, r, row[c]);
        }
        ++r;
    }
    sheet.SetCell(mardex::ColStation, r, std::string(mardex::EndMarker));
    const auto again = mardex::ReadSheetCsv(mardex::SheetToCsv(sheet), "again.csv", 0, "FUZZ");
    if (!again || again.document->sheets[0].rows != rows) std::abort();
    return 0;
}
