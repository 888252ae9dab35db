#pragma once
// Reading a GEOPAK earthwork log into the log tables of a tab.
#include "text/LogStation.h"
#include "text/PathText.h"
#include "text/TextLines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mardex {

class Session;
struct LogRecord;
struct SheetLog;

// The marker line that makes a file a GEOPAK earthwork log.
inline constexpr std::string_view LogMarkerLine = " 1     3     3 Earthwork";


// 1 when one line of the file is exactly the marker line, else 0.
int16_t CheckWhetherItIsLogFile(Session& s, const std::string& path);

// Reads the log CurrentFileName into the tables of sheet CurrentSheet (three
// passes), copies its table lines to the report file, converts the balance
// points' accumulated quantities and counts the pages. False when the log
// could not be read (nothing is shown, as the reading ends quietly).
bool LoadGeopakLog(Session& s);

// The two variants of the station line parser. They throw on a line they
// cannot split; LoadGeopakLog shows the message and goes on.
void Parse_Station_String(const std::string& line, LogRecord& entry);         // entry line
void Parse_Balance_Station_String(const std::string& line, LogRecord& point);  // balance point line

enum class LogRowTable { Entries, BalancePoints, Summary };
// Stores the tokens of one row line into record.Values[line]; a single-token
// row of the entry and balance tables first moves `line` on by one.
void TokenizeLogRow(const std::string& row, LogRecord* record, LogRowTable table, int32_t& line);

// Turns the accumulated quantities of the balance points of `sheet` into the
// quantities between consecutive points. False (after the message) when a
// value does not read as a number.
bool WriteIncrementalValue(Session& s, int sheet);

// a - b computed exactly on the decimal texts, written as a general number
// text ("46", "59.54"). nullopt when either text does not read as a number.
std::optional<std::string> DecimalDifference(std::string_view a, std::string_view b);



} // namespace mardex
