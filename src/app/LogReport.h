#pragma once
// The report built from the log tables of the current tab: GEOPAK's own
// quantities copied into the report's fields, and the companion sheet
// document written next to the log.
#include "app/ReportFile.h"
#include "compute/LogReportWriter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mardex {

class Session;
struct SheetLog;

// The target's path; for the window's report ReportFolder + the log's file
// name up to its first ".LOG" (upper-cased search, the name keeps its case)
// + ".rpt". nullopt when the name has no ".LOG".
std::optional<std::string> LogReportFileName(const Session& s, const ReportTarget& target);
// The companion document: the log's path up to the first ".LOG" of its file
// name, then ".mdx".
std::optional<std::string> LogCompanionFileName(const std::string& logPath);

// Whether a sheet document's text has the shape the companion writer gives
// it: empty descriptions, every sheet with factor 1.00 and flag 0, every row
// with the code "-" and no added volumes. Such a file is a previous
// companion and is replaced without a question; anything else is the
// designer's document.
bool LooksLikeLogCompanion(const std::string& text);
// What stands where a companion with the text `wanted` is to be written.
enum class CompanionOnDisk {
    Absent,    // nothing: written
    Same,      // the same text, or what this program last wrote there: written
    Edited,    // a companion with other rows (changed since it was written): asked
    Document,  // another sheet document: asked
};
// `lastWritten`: the hash of the text last written there by this program, 0 when none.
CompanionOnDisk ExamineCompanion(const std::string& path, const std::string& wanted, std::size_t lastWritten);
// The companion's text: a complete sheet document of the baseline, at most
// 1800 rows per sheet block.
std::string CompanionDocument(int16_t unitSystem, const std::string& baselineName,
                              const std::vector<CompanionCells>& rows);
// Writes the companion at `path` as the designer's documents are written
// (flushed to the disk, unlike report files). False with the reason in `error`.
bool WriteCompanionDocument(const std::string& path, int16_t unitSystem, const std::string& baselineName,
                            const std::vector<CompanionCells>& rows, std::string& error,
                            long long failAfterBytes = -1);
// Asked before a sheet document that is not a companion (or a companion whose
// rows were changed) is replaced, and said when the user keeps it.
std::string ReplaceCompanionQuestion(const std::string& companionPath, const std::string& logPath);
std::string ReplaceEditedCompanionQuestion(const std::string& companionPath, const std::string& logPath);
std::string KeptCompanionMessage(const std::string& companionPath);

// Writes `text` as the target's report file of the log (appended to when
// AppendToReport and `mayAppend`). False with the reason in `error`.
bool WriteLogReportText(Session& s, const ReportTarget& target, const std::string& text, std::string& error,
                        bool mayAppend = false);

// Writes the target's report file and the companion file of the current
// tab's log. False (after the message) when nothing could be written.
bool CreateGeopakLogReport(Session& s, const ReportTarget& target);
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
bool BuildLogReport(Session& s, bool accumulated, const ReportTarget& target);

} // namespace mardex
