#pragma once
// Reading a GEOPAK earthwork log into the log tables of a tab, with the
// reader's messages shown.
#include "formats/GeopakLogReader.h"
#include "text/LogStation.h"
#include "text/PathText.h"
#include "text/TextLines.h"

#include <cstdint>
#include <string>

namespace mardex {

class Session;

// 1 when one line of the file is exactly the marker line, else 0.
int16_t CheckWhetherItIsLogFile(Session& s, const std::string& path);

// Reads the log CurrentFileName into the tables of sheet CurrentSheet (three
// passes), copies its table lines to the report file, converts the balance
// points' accumulated quantities and counts the pages. False when the log
// could not be read (nothing is shown, as the reading ends quietly).
bool LoadGeopakLog(Session& s);

// Turns the accumulated quantities of the balance points of `sheet` into the
// quantities between consecutive points. False (after the message) when a
// value does not read as a number.
bool WriteIncrementalValue(Session& s, int sheet);

} // namespace mardex
