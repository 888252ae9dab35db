#pragma once
// The GEOPAK earthwork log reader on its own: the log's lines in, the log
// tables of one tab, what the log says about the document, and the reader's
// messages out.
#include "model/LogTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

// The marker line that makes a file a GEOPAK earthwork log.
inline constexpr std::string_view LogMarkerLine = " 1     3     3 Earthwork";

// Whether one line of the file at `path` is exactly the marker line. A file
// that cannot be read is no log: false with the reason in `error`.
bool HasLogMarkerLine(const std::string& path, std::string& error);

struct LogReadResult {
    SheetLog log;  // the tables read, LogPath empty
    // "EARTHWORKS FOR BASELINE" line's name; none when the log has no such line.
    std::optional<std::string> baselineName;
    int16_t unitSystem = 0;    // 1 when the table headings are in meters
    // The unit system as known after the first line: the window's unit
    // buttons follow the reading line by line from there.
    int16_t firstUnitSystem = 0;
    bool accumulated = false;  // the log adds accumulated quantities
    // Table lines copied for the report file, each ended by CR LF.
    std::string tableLines;
    // Lines the report counts while the tables are read.
    int32_t reportLines = 0;
    // The reader's raw counters (beyond the tables' limits when the log is larger).
    int32_t entriesRead = 0, balancePointsRead = 0, lastLineNumber = 0;
    // Messages of the reading that did not stop it, in the order met.
    std::vector<std::string> messages;
    // Why nothing was read (the file cannot be read); names the file.
    std::string error;
};

// Reads a log's lines (three passes), then turns the balance points'
// accumulated quantities into quantities between consecutive points.
// `fileName` names the log in the messages.
LogReadResult ReadGeopakLog(const std::vector<std::string>& lines, const std::string& fileName);
LogReadResult ReadGeopakLog(const std::string& path);

// The two variants of the station line parser. They throw on a line they
// cannot split; the reader says so and goes on.
void Parse_Station_String(const std::string& line, LogRecord& entry);         // entry line
void Parse_Balance_Station_String(const std::string& line, LogRecord& point);  // balance point line

enum class LogRowTable { Entries, BalancePoints, Summary };
// Stores the tokens of one row line into record.Values[line]; a single-token
// row of the entry and balance tables first moves `line` on by one.
void TokenizeLogRow(const std::string& row, LogRecord* record, LogRowTable table, int32_t& line);

// Turns the accumulated quantities of the balance points of `log` into the
// quantities between consecutive points. False when a value does not read
// as a number (the conversion stops there).
bool ConvertToIncrementalValues(SheetLog& log);
inline const std::string IncrementalValueError = "Program Error: Type mismatch occured in WriteIncrementalValue";

// a - b computed exactly on the decimal texts, written as a general number
// text ("46", "59.54"). nullopt when either text does not read as a number.
std::optional<std::string> DecimalDifference(std::string_view a, std::string_view b);

} // namespace mardex
