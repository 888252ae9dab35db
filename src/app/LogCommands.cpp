#include "app/LogCommands.h"

#include "app/FormModel.h"
#include "app/Guarded.h"
#include "app/HeaderFields.h"
#include "app/Session.h"
#include "app/TabStrip.h"
#include "app/FileCommands.h"
#include "text/LikePattern.h"
#include "app/GeopakLog.h"
#include "model/LogTables.h"
#include "app/LogReport.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

#include <algorithm>

namespace mardex {

namespace {

const std::string TooManyLogsMessage =
    "A document holds at most 26 groups: no further log file can be imported.";

// The tab caption's text after its first ":" (the whole caption without one).
std::string AfterFirstColon(const std::string& caption)
{
    const auto colon = caption.find(':');
    return colon == std::string::npos ? caption : caption.substr(colon + 1);
}

void ShowLogMode(Session& s)
{
    FormModel& f = s.form;
    f.Label4Visible = false;
    f.txtShrinkFactor.visible = false;
    f.GridVisible = false;
    f.GridEnabled = false;
    f.logExplanation.text = ExplanationText;
    f.logExplanation.visible = true;
    f.logExplanation.enabled = true;
    f.logExplanation.locked = true;
    f.Caption = "GEOPAK LOG FILE: " + s.doc.CurrentFileName;
    f.mnuImportFileEnabled = true;
    f.importKind = ImportKind::Logs;
    // A log is shown as reports: nothing of it can be edited or saved, and
    // Save can never write a sheet document over the log.
    f.mnuFileSaveEnabled = false;
    f.mnuFileSaveAsEnabled = false;
    f.mnuEditEnabled = false;
}

// A baseline already shown on a tab may be renamed for the new tab.
void AskForOtherName(Session& s, const std::vector<std::string>& shownBefore)
{
    for (const std::string& caption : shownBefore) {
        // The tab's name is compared as a pattern; equal names always match.
        const std::string name = Trim(s.doc.BaselineName), tab = Trim(AfterFirstColon(caption));
        if (name != tab && !MatchesLike(name, tab)) continue;
        const Answer a = s.ask.Ask(MessageBox{
            " There is same named baseline tab already existing. Do you want to change tabname?", Buttons::YesNo,
            Icon::None, "Warning"});
        if (a == Answer::Yes) s.doc.BaselineName = s.ask.Input("Please Name the Tab.", AppTitle, "");
    }
}

// The log read into tab CurrentSheet is named after its baseline; tabs up to
// it show the logs read before (none when it is the first).
void AddLogTab(Session& s)
{
    if (s.doc.CurrentSheet >= 0 && s.doc.CurrentSheet < LogSheets)
        s.logs()[s.doc.CurrentSheet].BaselineName = s.doc.BaselineName;
    s.form.SelectedTab = s.doc.CurrentSheet;
}

void WriteAndPreview(Session& s)
{
    if (s.report.LogReportOnRequestOnly) {
        Guarded(s.ask, "Program Error: ", " occured in CreateGeopakLogReport", [&] {
            std::string unused;
            AppendGeopakLogReport(s, unused);
        });
        return;
    }
    CreateGeopakLogReport(s, WindowReport);
    s.print.PageToRender = 1;
    s.hooks->ShowPreview();
}

} // namespace

bool IsGeopakLogName(const std::string& path) { return ToUpper(path).find(".LOG") != std::string::npos; }

void ShowOpenLogAgain(Session& s)
{
    ShowLogMode(s);
    s.doc.LogMode = true;
}

int OpenGeopakLogFile(Session& s, const std::vector<std::string>& shownBefore)
{
    s.doc.DataChanged = false;
    if (CheckWhetherItIsLogFile(s, s.doc.CurrentFileName) != 1) {
        s.doc.SheetCount = s.doc.SheetCountBeforeCommand;
        s.doc.CurrentSheet = s.doc.CurrentSheetBeforeCommand;
        s.ask.Message(NotALogMessage);
        return 1;
    }
    ShowLogMode(s);
    LoadGeopakLog(s);
    s.doc.LogMode = true;
    AskForOtherName(s, shownBefore);
    AddLogTab(s);
    WriteAndPreview(s);
    s.doc.DataChanged = false;
    return 0;
}

bool PrepareGeopakLogImport(Session& s)
{
    if (s.doc.SheetCount > MaxSheets) {
        s.doc.SheetCount = s.doc.SheetCountBeforeCommand;
        s.doc.CurrentSheet = s.doc.CurrentSheetBeforeCommand;
        s.ask.Message(TooManyLogsMessage);
        return false;
    }
    // After the last tab, whichever tab was clicked last, so that the new log
    // never overwrites the tables of a log already shown.
    s.doc.CurrentSheet = static_cast<int16_t>(s.doc.SheetCount - 1);
    return true;
}

void LogTabClick(Session& s, int tabIndex)
{
    Guarded(s.ask, "Program Error: ", " occured in TabStrip1_MouseUp", [&] {
        if (tabIndex < 0 || tabIndex >= static_cast<int>(TabCaptions(s).size()) || tabIndex >= LogSheets) return;
        s.doc.CurrentSheet = static_cast<int16_t>(tabIndex);
        s.doc.BaselineName = AfterFirstColon(LogTabCaption(s.logs()[tabIndex].BaselineName));
        // Each baseline keeps the units and report modes of its own log; a tab
        // with no log read into it has no report to show.
        const SheetLog& log = s.logs()[tabIndex];
        if (log.LogPath.empty()) return;
        s.doc.UnitSystem = log.UnitSystem;
        SetMeasurementSystem(s);
        if (!log.HasAccumulated()) s.report.AccumulatedMode = ReportMode::Total;
        WriteAndPreview(s);
    });
}

} // namespace mardex
