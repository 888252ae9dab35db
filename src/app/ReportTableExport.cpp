#include "app/ReportTableExport.h"

#include "app/EarthworkComputation.h"
#include "app/ForeignDocument.h"
#include "app/Guarded.h"
#include "app/Session.h"
#include "compute/ReportTable.h"
#include "compute/SheetComputation.h"
#include "formats/AtomicFile.h"

namespace mardex {

bool WriteReportTableCsv(Session& s, const std::string& path, std::string& error)
{
    error.clear();
    const auto computed = ComputeCurrentSheet(s, ReportMode::Total);
    if (!computed) return false;
    const AtomicWriteResult written = s.writer->Write(path, ReportTableCsv(*computed));
    error = written.error;
    return written.ok;
}

void mnuExportReportCsv_Click(Session& s)
{
    ExportCsvThroughDialog(s, "mnuExportReportCsv_Click", [&](const std::string& path, std::string& error) {
        return WriteReportTableCsv(s, path, error);
    });
}

} // namespace mardex
