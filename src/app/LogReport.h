#pragma once
// The report built from the log tables of the current tab: GEOPAK's own
// quantities copied into the report's fields, and the companion sheet
// document written next to the log.
#include "compute/LogReportWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mardex {

class Session;
struct SheetLog;

// ReportFolder + the log's file name up to its first ".LOG" (upper-cased
// search, the name keeps its case) + ".rpt", or the tool's --output path.
// nullopt when the name has no ".LOG".
std::optional<std::string> LogReportFileName(const Session& s);
// The companion document: the log's path up to the first ".LOG" of its file
// name, then ".mdx".
std::optional<std::string> LogCompanionFileName(const std::string& logPath);

// Whether a sheet document's text has the shape the companion writer gives
// it: empty descriptions, every sheet with factor 1.00 and flag 0, every row
// with the code "-" and no added volumes. Such a file is a previous
// companion and is replaced without a question; anything else is the
// designer's document.
bool LooksLikeLogCompanion(const std::string& text);

// Writes `text` as the report file of the log (appended to when
// AppendToReport and `mayAppend`). False with the reason in `error`.
bool WriteLogReportText(Session& s, const std::string& text, std::string& error, bool mayAppend = false);

// Writes the report file and the companion file of the current tab's log.
// False (after the message) when nothing could be written.
bool CreateGeopakLogReport(Session& s);
// The report section of the current tab's log appended to `text`, and its
// companion document written next to that tab's log. Throws RuntimeFault
// when the companion cannot be written (the combined report of the
// Stickup Sheets command builds its sections this way).
void AppendGeopakLogReport(Session& s, std::string& text);

// HasAccumulated of the current tab's log.
bool CurrentLogHasAccumulated(Session& s);

// Print Preview > Total / Accumulated while a log is open: sets
// AccumulatedMode, refuses Accumulated for a log without accumulated
// quantities, writes the report. True when a report file was written.
bool BuildLogReport(Session& s, bool accumulated);

} // namespace mardex
