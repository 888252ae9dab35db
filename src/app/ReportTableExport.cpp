#include "app/ReportTableExport.h"

#include "app/EarthworkComputation.h"
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
    Guarded(s.ask, "Program Error: ", " occured in mnuExportReportCsv_Click", [&] {
        FileDialogRequest request;
        request.mode = FileDialogMode::Save;
        request.filter = "CSV Files(*.csv)|*.csv|All Files(*.*)|*.*";
        const auto chosen = s.ask.ChooseFile(request);
        if (!chosen || chosen->empty()) {
            s.ask.Message("NO FILE IS SELECTED");
            return;
        }
        std::string error;
        if (WriteReportTableCsv(s, *chosen, error)) s.ask.Message(" FILE : " + *chosen + " IS SAVED SUCCESSFULLY");
        else if (!error.empty()) s.ask.Message(error, Icon::Exclamation);
    });
}

} // namespace mardex
