#pragma once
// The sheet document reader: the version check, Open's reader and the small
// procedures it uses.
#include "formats/DocumentParser.h"

#include <array>
#include <cstdint>
#include <istream>
#include <string>

namespace mardex {

class Session;

// 0 compatible, 1 not. Sets LegacyFormat (and DataChanged for the older layout).
int16_t CheckFileCompatibility(Session& s, const std::string& path);
// The same test on a first line already read.
int16_t CheckFirstLine(Session& s, const std::string& firstLine);

// Reads CurrentFileName into the store from sheet CurrentSheet on, then
// shows sheet 0. 0 on success; 1 after a reported failure, in which case
// nothing of the file has reached the store or the window.
int16_t ReadFileVersion2002(Session& s);
// The same from a stream; `name` names the document in messages.
int16_t ReadFileVersion2002(Session& s, std::istream& in, const std::string& name);

// Feeds every line of `in` to a parser of the given mode and takes what it
// read into the session. After a failure the store is untouched, the message
// (prefix, the failure, place) has been shown, and the result is false.
bool ParseDocument(Session& s, std::istream& in, const std::string& name, ParseMode mode,
                   const std::string& prefix, const std::string& place, int& lineCounter);

// DescriptionFields[index - 1] = text; an index above 3 is ignored.
void StoreDescription(Session& s, const std::string& text, int index);

// After a read or an import: the tabs, the sheet in the grid and the header,
// the unit option, the scroll position and the units row.
void ShowReadDocument(Session& s, int lineCounter, bool showFirstSheet);

} // namespace mardex
