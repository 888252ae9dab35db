#include "app/StickupSheetsCommand.h"

#include "app/Guarded.h"
#include "app/Session.h"
#include "app/CombinedReport.h"
#include "app/ReportFile.h"
#include "formats/AtomicFile.h"
#include "text/NumberText.h"
#include "text/CountText.h"

#include <filesystem>

namespace mardex {

std::optional<StickupResult> Command2_Click(Session& s, DesignHost& host, const ShowDesignFileDialog& showDialog)
{
    std::optional<StickupResult> result;
    // The combined report walks every sheet; afterwards the sheet on screen
    // is the current one again, so edits land where the grid shows them.
    const int16_t shownSheet = s.doc.CurrentSheet;
    Guarded(s.ask, "Program Error: ", " occured in Command2_Click", [&] {
        s.report.AccumulatedMode = ReportMode::Total;
        s.report.ReportLineCount = 0;
        if (ToUpper(s.doc.CurrentFileName) == "UNTITLED") {
            s.ask.Message(NoActiveDataMessage);
            return;
        }
        if (!BuildCombinedReport(s, SheetFault::SkipSheet, WindowReport)) return;
        std::string error;
        const auto reportPath = ReportPathOf(s, WindowReport, error);
        if (!reportPath) {
            s.ask.Message(error);
            return;
        }
        s.stickup.TargetChosen = false;
        showDialog(s.form.txtDescri[2].text + "0ew.dgn");
        if (!s.stickup.TargetChosen) return;
        s.stickup.TargetChosen = false;
        result = GenerateStickupSheets(s, host, s.stickup.DesignFilePath, *reportPath);
        if (result->completed)
            s.ask.Message(CountOf(result->sheets, "sheet") + " drawn into " + s.stickup.DesignFilePath);
    });
    // A drawing that did not complete leaves no copy of the seed behind:
    // the target is as it was before OK.
    if (s.stickup.SeedCopied && !(result && result->completed)) {
        std::error_code ec;
        if (!s.stickup.ReplacedDesignFile) std::filesystem::remove(s.stickup.DesignFilePath, ec);
        else if (const auto back = WriteFileAtomically(s.stickup.DesignFilePath, *s.stickup.ReplacedDesignFile); !back.ok)
            s.ask.Message(back.error);
    }
    s.stickup.SeedCopied = false;
    s.stickup.ReplacedDesignFile.reset();
    s.doc.CurrentSheet = shownSheet;
    return result;
}

void PrepareDesignFileDialog(Session& s, const std::string& defaultSeed, const std::string& startFolder,
                       const std::string& proposedName)
{
    DesignFileDialogModel& model = s.stickup.designFileDialog;
    if (!model.loaded) model.Form_Load(defaultSeed, startFolder);
    else model.chooser.Refresh();
    model.chooser.fileName = proposedName;
}

} // namespace mardex
