#include "app/GeopakLog.h"

#include "app/Guarded.h"
#include "app/HeaderFields.h"
#include "app/Session.h"
#include "model/LogTables.h"
#include "app/LogReport.h"
#include "app/ReportFile.h"

#include <utility>

namespace mardex {

int16_t CheckWhetherItIsLogFile(Session& s, const std::string& path)
{
    std::string error;
    if (HasLogMarkerLine(path, error)) return 1;
    if (!error.empty()) ErrorBox(s.ask, " Error: ", error, " occured in CheckWhetherItIsLogFile");
    return 0;
}

bool WriteIncrementalValue(Session& s, int sheet)
{
    if (ConvertToIncrementalValues(s.logs()[sheet])) return true;
    s.ask.Message(IncrementalValueError);
    return false;
}

bool LoadGeopakLog(Session& s)
{
    LogTables& logs = s.logs();
    logs.LogEntryCount = logs.LogLineNo = logs.LogBalanceCount = 0;
    const int sheet = s.doc.CurrentSheet;
    if (sheet < 0 || sheet >= LogSheets) return false;
    if (!LogBaseName(s.doc.CurrentFileName)) return false;
    LogReadResult read = ReadGeopakLog(s.doc.CurrentFileName);
    if (!read.error.empty()) return false;

    SheetLog& t = logs[sheet];
    t = std::move(read.log);
    t.LogPath = s.doc.CurrentFileName;
    logs.LogEntryCount = read.entriesRead;
    logs.LogBalanceCount = read.balancePointsRead;
    logs.LogLineNo = read.lastLineNumber;
    // The unit system and the report mode are the log's own: a log read after
    // another must inherit neither its units nor its accumulated mode.
    s.report.AccumulatedMode = read.accumulated ? ReportMode::Accumulated : ReportMode::Total;
    if (read.baselineName) s.doc.BaselineName = *read.baselineName;
    s.report.ReportLineCount += read.reportLines;
    // The unit buttons as the reading leaves them: set from the first line on.
    s.doc.UnitSystem = read.firstUnitSystem;
    SetMeasurementSystem(s);
    s.doc.UnitSystem = read.unitSystem;
    if (read.unitSystem != read.firstUnitSystem) SetMeasurementSystem(s);
    for (const std::string& message : read.messages) s.ask.Message(message);

    // The copied table lines make the report file until the log report replaces it.
    std::string error;
    if (!s.report.LogReportOnRequestOnly) WriteLogReportText(s, WindowReport, read.tableLines, error);
    s.report.TotalPages = PagesForDrawnLines(DrawnLines(read.tableLines));
    return true;
}

} // namespace mardex
