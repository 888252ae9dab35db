#include "app/StickupSheetsCommand.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/CombinedReport.h"
#include "app/ReportFile.h"
#include "text/NumberText.h"

namespace mardex {

std::optional<StickupResult> Command2_Click(Session& s, DesignHost& host, const ShowDesignFileDialog& showDialog)
{
    std::optional<StickupResult> result;
    Guarded(s.ask, "Program Error: ", " occured in Command2_Click", [&] {
        s.report.AccumulatedMode = 0;
        s.report.ReportLineCount = 0;
        if (ToUpper(s.doc.CurrentFileName) == "UNTITLED") {
            s.ask.Message(NoActiveDataMessage);
            return;
        }
        if (!BuildCombinedReport(s, SheetFault::SkipSheet)) return;
        std::string error;
        const auto reportPath = ReportPathOf(s, error);
        if (!reportPath) {
            s.ask.Message(error);
            return;
        }
        s.stickup.TargetChosen = false;
        showDialog(s.form.txtDescri[2].text + "0ew.dgn");
        if (!s.stickup.TargetChosen) return;
        s.stickup.TargetChosen = false;
        result = GenerateStickupSheets(s, host, s.stickup.DesignFilePath, *reportPath);
    });
    return result;
}

} // namespace mardex
