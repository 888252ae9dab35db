#pragma once
// The window's commands on GEOPAK logs: opening one (the log branch of the
// open dispatcher), importing further logs as further tabs, and a left click
// on a log tab.
#include <string>
#include <vector>

namespace mardex {

class Session;

inline const std::string NotALogMessage = " The file selected is not a Geopak Earthwork log file";

// True when the upper-cased path contains ".LOG" (the dispatcher's test).
bool IsGeopakLogName(const std::string& path);

// The log branch of ReadingTheFile for the existing file CurrentFileName:
// recognises the log (refusing it with its message and the sheet counters put
// back to SheetCountBeforeCommand / CurrentSheetBeforeCommand), switches the
// window to log mode, reads the log into tab CurrentSheet, names the tab,
// writes the log report and previews it. 0 when the log was opened, 1 when not.
// `shownBefore`: the tabs the window showed before the command; a baseline
// named as one of them may be renamed.
int OpenGeopakLogFile(Session& s, const std::vector<std::string>& shownBefore);

// Open read nothing while a log was shown: the window shows that log again
// (its tabs, the explanation, its menus), not a sheet view of it.
void ShowOpenLogAgain(Session& s);

// The log branch of Import ("Import any other Log File"), once Import has
// added one to SheetCount and CurrentSheet: the new log goes after the last
// tab. False (after the message, the counters put back) when 26 tabs are
// already in use.
bool PrepareGeopakLogImport(Session& s);

// A left click on log tab `tabIndex` (0-based) while a log is open: that
// baseline's report is rebuilt and previewed.
void LogTabClick(Session& s, int tabIndex);

} // namespace mardex
