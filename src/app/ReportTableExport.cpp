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
    const SheetComputation computed =
        ComputeSheet(s.store[s.doc.CurrentSheet], HeadingOf(s).units, ReportMode::Total);
    for (const std::string& message : computed.messages) s.ask.Message(message);
    // The Total report's own message for a computation that fails.
    const bool built = Guarded(s.ask, "Program Error: ", " occured in CreateTempRptFile", [&] {
        if (!computed.ok()) throw RuntimeFault(computed.fault);
    });
    if (!built) return false;
    const AtomicWriteResult written = WriteFileAtomically(path, ReportTableCsv(computed), s.doc.FailWritesAfterBytes);
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
